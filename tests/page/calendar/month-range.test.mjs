// The month models of every month from January 1900 to December 2100.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { loadEngineHere, lunarDays, dayIndex, allDays, digest } from './range.mjs';

const e = loadEngineHere();
Object.assign(e, { tY: 1800, tM: 0, tD: 1 });
const RealLunar = e.Lunar, months = [];
let conversions = 0;
e.Lunar = function (d) { conversions++; return new RealLunar(d); };
const days = allDays(e, (cld, y, m) => {
  months.push(cld);
  assert.ok(conversions <= (m === 2 || m === 3 ? 4 : 3), `${y}-${m + 1}: ${conversions} conversions`); // Easter adds one
  conversions = 0;
});
e.Lunar = RealLunar;
const iso = (r) => `${r.sYear}-${r.sMonth}-${r.sDay}`;

test('every model holds exactly its days; from February 1900 on each is the next lunar day', () => {
  assert.ok(months.every((cld) => Object.keys(cld).length === cld.length + 2 && cld[cld.length - 1]));
  const ref = lunarDays(e.lunarInfo);
  for (const r of days.slice(31)) { // January 1900 lies before the table
    const want = ref[dayIndex(r.sYear, r.sMonth - 1, r.sDay)];
    assert.equal(`${r.lYear}-${r.lMonth}-${r.lDay}${r.isLeap}`, `${want.year}-${want.month}-${want.day}${want.isLeap}`, iso(r));
  }
  const rows = e.lFtv.map((row) => row.match(/^(\d{2})(.{2})[\s*](.+)$/)).map(([, mm, dd, text]) => [Number(mm), Number(dd), text]);
  for (const r of days.slice(31)) {
    const n = ref[dayIndex(r.sYear, r.sMonth - 1, r.sDay) + 1];
    const on = ([mm, dd]) => !r.isLeap && (dd ? r.lMonth === mm && r.lDay === dd : n && !n.isLeap && n.month === mm && n.day === 1);
    assert.equal(r.lunarFestival, rows.filter(on).map(([, , text]) => text + ' ').join(''), `lunar festivals ${iso(r)}`);
  }
});

test('pillars move one step at a time: days daily, months on their first term, years on 立春', () => {
  const index = new Map(Array.from({ length: 60 }, (_, i) => [e.cyclical(i), i]));
  const step = (a, b) => (index.get(b) - index.get(a) + 60) % 60;
  const firstTerms = e.solarTerm.filter((_, n) => n % 2 === 0);
  for (let i = 1; i < days.length; i++) {
    const [a, b] = [days[i - 1], days[i]];
    const got = [step(a.cDay, b.cDay), step(a.cMonth, b.cMonth), step(a.cYear, b.cYear)];
    assert.deepEqual(got, [1, firstTerms.includes(b.solarTerms) ? 1 : 0, b.solarTerms === '立春' ? 1 : 0], iso(b));
  }
});

test('Easter: one Sunday a year from 22 March to 26 April', () => {
  for (let y = 1900; y <= 2100; y++) {
    const { m, d } = new e.easter(y);
    assert.ok(m * 100 + d >= 222 && m * 100 + d <= 326 && new Date(Date.UTC(y, m, d)).getUTCDay() === 0, `${y}`);
    const marked = days.filter((r) => r.sYear === y && r.solarFestival.includes('复活节'));
    assert.deepEqual(marked.map((r) => [r.sMonth - 1, r.sDay]), [[m, d]]);
  }
});

// The same models in a process under UTC: a date taken in local time where
// the engine means a calendar date shifts days in some of the zones we run in.
test('all models alike in every time zone', { skip: process.env.TZ === 'UTC' }, () => {
  const script = `import { loadEngineHere, allDays, digest } from '${new URL('./range.mjs', import.meta.url)}';
    const e = loadEngineHere(); Object.assign(e, { tY: 1800, tM: 0, tD: 1 }); console.log(digest(allDays(e)));`;
  const utc = execFileSync(process.execPath, ['--input-type=module', '-e', script],
    { env: { ...process.env, TZ: 'UTC' }, encoding: 'utf8' });
  assert.equal(digest(days), utc.trim());
});
