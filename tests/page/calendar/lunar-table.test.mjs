import { test } from 'node:test';
import assert from 'node:assert/strict';
import { loadPage } from '../load.mjs';

const c = loadPage({ only: ['calendar/'] });
const years = Array.from({ length: 201 }, (_, i) => 1900 + i);

test('the table holds one 16-bit word per year 1900-2100', () => {
  assert.equal(c.lunarInfo.length, 201);
  for (const w of c.lunarInfo) assert.ok(Number.isInteger(w) && w >= 0 && w <= 0xffff);
  assert.equal(Math.max(...c.lunarInfo), 0xf263);
});

test('leap months: 74 years, never two in a row, 30-day marks only after a leap year', () => {
  const leapYears = years.filter((y) => c.leapMonth(y) > 0);
  assert.equal(leapYears.length, 74);
  for (const y of leapYears) {
    assert.ok(c.leapMonth(y) >= 2 && c.leapMonth(y) <= 11, `leap month of ${y}`);
    assert.equal(c.leapMonth(y + 1), 0, `${y} and ${y + 1}`);
  }
  const marked = years.filter((y) => (c.lunarInfo[y - 1900] & 0xf) === 0xf);
  assert.equal(marked.length, 20);
  for (const y of marked) assert.ok(c.leapMonth(y - 1) > 0, `0xf in ${y} follows no leap year`);
  const thirty = leapYears.filter((y) => c.leapDays(y) === 30);
  assert.deepEqual(thirty, [1906, 1914, 1919, 1925, 1933, 1936, 1938, 1941, 1944, 1952, 1955,
    1979, 2017, 2036, 2047, 2050, 2055, 2058, 2085, 2093]);
  assert.equal(c.leapMonth(2100), 0);
});

test('year lengths: distribution, and the sum of the months', () => {
  const count = {};
  for (const y of years) {
    const len = c.lYearDays(y);
    count[len] = (count[len] || 0) + 1;
    let sum = c.leapDays(y);
    for (let m = 1; m <= 12; m++) sum += c.monthDays(y, m);
    assert.equal(sum, len, `months of ${y}`);
  }
  assert.deepEqual(count, { 353: 1, 354: 84, 355: 42, 383: 6, 384: 65, 385: 3 });
  assert.deepEqual(years.filter((y) => c.lYearDays(y) === 385), [1925, 1944, 2006]);
  assert.equal(c.lYearDays(1965), 353);
});

test('lunar new years fall between 21 January and 20 February', () => {
  let t = Date.UTC(1900, 0, 31);
  const found = {};
  for (const y of years) {
    const d = new Date(t);
    const key = d.getUTCMonth() * 100 + d.getUTCDate();
    assert.ok(key >= 21 && key <= 120, `new year ${y} on ${d.toISOString()}`);
    found[y] = d.toISOString().slice(0, 10);
    t += c.lYearDays(y) * 86400000;
  }
  assert.equal(found[1966], '1966-01-21');
  assert.equal(found[1920], '1920-02-20');
  assert.equal(found[2003], '2003-02-01');
  assert.equal(found[2020], '2020-01-25');
  assert.equal(found[2100], '2100-02-09');
  assert.equal(new Date(t - 86400000).toISOString().slice(0, 10), '2101-01-28');
});

test('month-length functions, including years outside the table', () => {
  const cases = [
    ['lYearDays', [1900], 384], ['leapMonth', [1900], 8], ['leapDays', [1900], 29],
    ['monthDays', [1900, 1], 29], ['monthDays', [1900, 2], 30],
    ['leapMonth', [2017], 6], ['leapDays', [2017], 30], ['lYearDays', [2017], 384],
    ['leapMonth', [2018], 0], ['leapDays', [2018], 0], ['lYearDays', [2018], 354],
    ['leapDays', [2020], 29], ['leapMonth', [2033], 11], ['leapDays', [2033], 29],
    ['lYearDays', [2006], 385], ['leapDays', [2100], 0], ['lYearDays', [2100], 354],
    ['leapMonth', [1899], 0], ['leapDays', [1899], 0], ['monthDays', [1899, 0], 29],
    ['lYearDays', [1899], 348], ['lYearDays', [2101], 348], ['monthDays', [2003, 0], 29],
    ['solarDays', [1900, 1], 28], ['solarDays', [2000, 1], 29], ['solarDays', [2004, 1], 29],
    ['solarDays', [2100, 1], 28], ['solarDays', [2003, 0], 31], ['solarDays', [2003, 10], 30],
  ];
  for (const [fn, args, want] of cases) assert.equal(c[fn](...args), want, `${fn}(${args})`);
});
