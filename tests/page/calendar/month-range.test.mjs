// Properties of the month models of every month from January 1900 to
// December 2100.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { createHash } from 'node:crypto';
import { loadEngineHere } from './here.mjs';
import { lunarDays, dayIndex } from './reference.mjs';

const e = loadEngineHere();
e.tY = 1800; e.tM = 0; e.tD = 1;

const RealLunar = e.Lunar;
let conversions = 0;
e.Lunar = function (d) { conversions++; return new RealLunar(d); };

const months = [];
const conversionsPerMonth = [];
for (let y = 1900; y <= 2100; y++) {
  for (let m = 0; m < 12; m++) {
    conversions = 0;
    months.push(new e.calendar(y, m));
    conversionsPerMonth.push([y, m, conversions]);
  }
}
e.Lunar = RealLunar;
const days = months.flatMap((cld) => Array.from({ length: cld.length }, (_, i) => cld[i]));
const ref = lunarDays();
const iso = (r) => `${r.sYear}-${r.sMonth}-${r.sDay}`;

test('every model holds exactly its days, built with at most three conversions', () => {
  assert.equal(months.length, 2412);
  for (const cld of months) {
    const keys = Object.keys(cld).filter((k) => k !== 'length' && k !== 'firstWeek');
    assert.deepEqual(keys, Array.from({ length: cld.length }, (_, i) => String(i)));
  }
  assert.equal(days.length, 73414);
  for (const [y, m, n] of conversionsPerMonth) {
    assert.ok(n <= (m === 2 || m === 3 ? 4 : 3), `${y}-${m + 1}: ${n} conversions`);
  }
});

test('every day from February 1900 on carries the next lunar day', () => {
  for (const r of days.slice(31)) { // January 1900 stays in lunar 1899
    const want = ref[dayIndex(r.sYear, r.sMonth - 1, r.sDay)];
    if (r.lYear !== want.year || r.lMonth !== want.month || r.lDay !== want.day || r.isLeap !== want.isLeap) {
      assert.fail(`${iso(r)}: ${[r.lYear, r.lMonth, r.lDay, r.isLeap]} != ${JSON.stringify(want)}`);
    }
  }
});

test('the three pillars each move one step at a time: days daily, months on their term, years on 立春', () => {
  const index = new Map(Array.from({ length: 60 }, (_, i) => [e.cyclical(i), i]));
  const step = (a, b) => (index.get(b) - index.get(a) + 60) % 60;
  const firstTerms = new Set(e.solarTerm.filter((_, n) => n % 2 === 0));
  for (let i = 1; i < days.length; i++) {
    const [a, b] = [days[i - 1], days[i]];
    assert.equal(step(a.cDay, b.cDay), 1, iso(b));
    assert.equal(step(a.cMonth, b.cMonth), firstTerms.has(b.solarTerms) ? 1 : 0, `month pillar ${iso(b)}`);
    assert.equal(step(a.cYear, b.cYear), b.solarTerms === '立春' ? 1 : 0, `year pillar ${iso(b)}`);
  }
});

test('weekday festivals land on the k-th (or k-th last) such weekday of the month', () => {
  const placed = [];
  for (const cld of months) {
    for (const row of e.wFtv) {
      const [, mm, k, w, text] = row.match(/^(\d{2})(\d)(\d)[\s*](.+)$/);
      if (Number(mm) !== cld[0].sMonth) continue;
      const hits = Array.from({ length: cld.length }, (_, i) => cld[i])
        .filter((r) => r.solarFestival.split(' ').includes(text.split(' ')[0]));
      const want = Array.from({ length: cld.length }, (_, i) => i + 1)
        .filter((d) => (cld.firstWeek + d - 1) % 7 === Number(w))
        .at(k < 5 ? k - 1 : -(k - 4));
      assert.deepEqual(hits.map((r) => r.sDay), [want], `${row} in ${iso(cld[0])}`);
      placed.push(row);
    }
  }
  assert.equal(placed.length, 12 * 201);
});

test('lunar festivals land on their true lunar dates, New Year\'s Eve included', () => {
  const rows = e.lFtv.map((row) => row.match(/^(\d{2})(.{2})[\s*](.+)$/))
    .map(([, mm, dd, text]) => ({ month: Number(mm), day: Number(dd), text }));
  const missed = [];
  for (let i = 31; i < days.length; i++) {
    const r = days[i];
    const next = ref[dayIndex(r.sYear, r.sMonth - 1, r.sDay) + 1];
    const want = rows.filter((f) => !r.isLeap && (f.day === 0
      ? next && !next.isLeap && next.month === f.month && next.day === 1
      : r.lMonth === f.month && r.lDay === f.day)).map((f) => f.text + ' ').join('');
    if (r.lunarFestival !== want) missed.push(`${iso(r)}: "${r.lunarFestival}" instead of "${want}"`);
  }
  assert.deepEqual(missed, []);
});

test('red days: New Year, National Day, 清明 in April, and the placed 春节 and 除夕', () => {
  for (const r of days) {
    const want = (r.sMonth === 1 && r.sDay === 1) || (r.sMonth === 10 && r.sDay === 1)
      || (r.sMonth === 4 && r.solarTerms === '清明') || /春节|除夕/.test(r.lunarFestival);
    assert.equal(r.color, want ? 'red' : '', iso(r));
  }
});

test('Easter: one Sunday a year, 22 March to 26 April, the same in every zone', () => {
  const all = [];
  for (let y = 1900; y <= 2100; y++) {
    const { m, d } = new e.easter(y);
    assert.ok(m * 100 + d >= 222 && m * 100 + d <= 326, `Easter ${y}: ${m}/${d}`);
    assert.equal(new Date(Date.UTC(y, m, d)).getUTCDay(), 0, `Easter ${y}`);
    const marked = days.filter((r) => r.sYear === y && r.solarFestival.includes('复活节'));
    assert.deepEqual(marked.map((r) => [r.sMonth - 1, r.sDay]), [[m, d]]);
    all.push(`${y}:${m}/${d}`);
  }
  assert.equal(digest(all), EASTER_DIGEST);
});

// Everything the models hold is a function of the calendar date alone, so
// the models come out the same in every time zone.
test('the models are the same in every time zone', () => {
  assert.equal(digest(days), MODELS_DIGEST);
});

function digest(value) {
  return createHash('sha256').update(JSON.stringify(value)).digest('hex').slice(0, 16);
}
const EASTER_DIGEST = 'b9acb085bbe9f749';
const MODELS_DIGEST = 'bb0eedfa30c7f986';
