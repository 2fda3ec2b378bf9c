import { test } from 'node:test';
import assert from 'node:assert/strict';
import { loadPage } from '../load.mjs';
import { lunarDays } from './reference.mjs';
import { loadEngineHere } from './here.mjs';

const c = loadPage({ only: ['calendar/'] });
const lunar = (y, m, d, h = 0) => {
  const r = new c.Lunar(new Date(y, m, d, h));
  return [r.year, r.month, r.day, r.isLeap];
};

test('edge cases: epoch, leap months, range ends and out-of-range values', () => {
  const cases = [
    ['1900-01-31', 1900, 1, 1, false], ['1900-02-01', 1900, 1, 2, false],
    ['1900-02-28', 1900, 1, 29, false], ['1900-03-01', 1900, 2, 1, false],
    ['1900-09-23', 1900, 8, 30, false], ['1900-09-24', 1900, 8, 1, true],
    ['1900-10-22', 1900, 8, 29, true], ['1900-10-23', 1900, 9, 1, false],
    ['1901-02-18', 1900, 12, 30, false], ['1901-02-19', 1901, 1, 1, false],
    ['2003-01-31', 2002, 12, 29, false], ['2003-02-01', 2003, 1, 1, false],
    ['2017-07-22', 2017, 6, 29, false], ['2017-07-23', 2017, 6, 1, true],
    ['2017-08-21', 2017, 6, 30, true], ['2017-08-22', 2017, 7, 1, false],
    ['2033-12-22', 2033, 11, 1, true], ['2034-01-19', 2033, 11, 29, true],
    ['2034-01-20', 2033, 12, 1, false], ['2100-02-08', 2099, 12, 30, false],
    ['2100-02-09', 2100, 1, 1, false], ['2100-12-31', 2100, 12, 1, false],
    ['1900-01-30', 1899, 0, 0, false], ['1900-01-01', 1899, 0, -29, false],
    ['2101-01-28', 2100, 12, 29, false], ['2101-01-29', 2100, 13, 1, false],
    ['2101-02-28', 2100, 13, 31, false],
  ];
  for (const [iso, ...want] of cases) {
    const [y, m, d] = iso.split('-').map(Number);
    assert.deepEqual(lunar(y, m - 1, d), want, iso);
  }
});

test('only the local calendar date counts, not the time of day', () => {
  for (const h of [0, 1, 12, 23]) assert.deepEqual(lunar(2003, 1, 1, h), [2003, 1, 1, false]);
  // Days on which clocks change somewhere among the zones the tests run in.
  for (const [y, m, d] of [[2003, 3, 6], [2003, 9, 26], [2019, 2, 10], [2019, 3, 7], [2021, 9, 3]]) {
    assert.deepEqual(lunar(y, m, d, 0), lunar(y, m, d, 23));
  }
});

test('every day from 1900-01-31 to 2100-12-31 is one lunar day after the one before', () => {
  const here = loadEngineHere();
  const ref = lunarDays();
  const base = Date.UTC(1900, 0, 31);
  for (let i = 0, t = base; i < ref.length; i++, t += 86400000) {
    const u = new Date(t);
    const local = new Date(u.getUTCFullYear(), u.getUTCMonth(), u.getUTCDate());
    if (local.getDate() !== u.getUTCDate()) continue; // a date this zone skipped
    const r = new here.Lunar(local);
    const e = ref[i];
    if (r.day !== e.day || r.month !== e.month || r.year !== e.year || r.isLeap !== e.isLeap) {
      assert.fail(`${u.toISOString().slice(0, 10)}: ${JSON.stringify(r)} != ${JSON.stringify(e)}`);
    }
  }
});
