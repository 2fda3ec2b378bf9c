// The shipped holiday table keeps the rule its header states: a break is
// one run of days, weekends it joins included, and only weekend days are
// worked in exchange.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import { holidayTable } from '../../resources/page-script.mjs';

const day = 86400000;
const rows = fs.readFileSync(holidayTable, 'utf8').split('\n').filter((l) => /^\d/.test(l))
  .map((l) => l.split('\t')).map(([date, name, kind]) => ({ t: Date.parse(date), date, name, kind }));
const kindOn = new Map(rows.map((r) => [r.t, r.kind]));
const weekend = (t) => [0, 6].includes(new Date(t).getUTCDay());

test('each break is one run of days, joined weekend days included, and 班 days are weekend days', () => {
  const runs = [];
  for (const r of rows.filter((r) => r.kind === 'off')) {
    const last = runs.at(-1);
    if (last && last.end + day === r.t && last.name === r.name) last.end = r.t;
    else runs.push({ name: r.name, start: r.t, end: r.t, year: new Date(r.t + 2 * day).getUTCFullYear() });
  }
  const breaks = runs.map((r) => `${r.year} ${r.name}`);
  assert.deepEqual(breaks.filter((b, i) => breaks.indexOf(b) !== i), [], 'a break in two runs');
  const open = runs.flatMap((r) => [r.start - day, r.end + day]).filter((t) => weekend(t) && kindOn.get(t) !== 'work');
  assert.deepEqual(open.map((t) => new Date(t).toISOString().slice(0, 10)), [], 'weekend days beside a break');
  assert.deepEqual(rows.filter((r) => r.kind === 'work' && !weekend(r.t)).map((r) => r.date), [], '班 on a weekday');
});
