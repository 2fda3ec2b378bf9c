import { test } from 'node:test';
import assert from 'node:assert/strict';
import { loadPage } from '../load.mjs';

const c = loadPage({ only: ['calendar/'] });
const years = Array.from({ length: 201 }, (_, i) => 1900 + i);
const lunar = (y, m, d) => { const r = new c.Lunar(new Date(y, m, d)); return `${r.year}-${r.month}-${r.day}${r.isLeap ? 'L' : ''}`; };

// A wrong entry shows as a year of the wrong length, a new year outside
// 21 January..20 February, or a range that does not end on 2101-01-29; the
// converter must find every new year the table lays out, in every zone.
test('table invariants: leap months, 30-day marks, year lengths and new years', () => {
  const leapYears = years.filter((y) => c.leapMonth(y) > 0);
  assert.equal(leapYears.length, 74);
  for (const y of leapYears) assert.ok(c.leapMonth(y) >= 2 && c.leapMonth(y) <= 11 && !c.leapMonth(y + 1), y);
  const marked = years.filter((y) => (c.lunarInfo[y - 1900] & 0xf) === 0xf);
  assert.deepEqual(marked.map((y) => y - 1), leapYears.filter((y) => c.leapDays(y) === 30));
  const lengths = {}, newYears = [];
  let t = Date.UTC(1900, 0, 31);
  for (const y of years) {
    let sum = c.leapDays(y);
    for (let m = 1; m <= 12; m++) sum += c.monthDays(y, m);
    assert.equal(c.lYearDays(y), sum, `months of ${y}`);
    lengths[sum] = (lengths[sum] || 0) + 1;
    const u = new Date(t), [yy, mm, dd] = [u.getUTCFullYear(), u.getUTCMonth(), u.getUTCDate()];
    newYears.push(u.toISOString().slice(5, 10));
    assert.equal(lunar(yy, mm, dd), `${y}-1-1`);
    if (y > 1900) assert.equal(lunar(yy, mm, dd - 1), `${y - 1}-12-${c.monthDays(y - 1, 12)}`);
    t += sum * 86400000;
  }
  assert.deepEqual(lengths, { 353: 1, 354: 84, 355: 42, 383: 6, 384: 65, 385: 3 });
  assert.deepEqual([newYears.sort()[0], newYears.at(-1)], ['01-21', '02-20']);
  assert.equal(new Date(t).toISOString().slice(0, 10), '2101-01-29');
  assert.equal(lunar(2101, 0, 28), `2100-12-${c.monthDays(2100, 12)}`);
});

test('month lengths read across entries and outside the table', () => {
  const got = (fn, ...years) => years.map((y) => c[fn](y));
  assert.deepEqual(got('leapDays', 2017, 2018, 2020, 2100, 1899), [30, 0, 29, 0, 0]); // 2018 ends in 0xf
  assert.deepEqual(got('lYearDays', 2017, 2018, 2100, 1899, 2101), [384, 354, 354, 348, 348]);
  assert.deepEqual([c.monthDays(1900, 1), c.monthDays(1900, 2), c.monthDays(1899, 0), c.leapMonth(1899)], [29, 30, 29, 0]);
  assert.deepEqual([[1900, 1], [2000, 1], [2004, 1], [2100, 1], [2003, 10]].map(([y, m]) => c.solarDays(y, m)), [28, 29, 29, 28, 30]);
});
