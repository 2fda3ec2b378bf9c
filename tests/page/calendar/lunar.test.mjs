import { test } from 'node:test';
import assert from 'node:assert/strict';
import { loadPage } from '../load.mjs';

const c = loadPage({ only: ['calendar/'] });
const lunar = (y, m, d, h = 0) => { const r = new c.Lunar(new Date(y, m, d, h)); return `${r.year}-${r.month}-${r.day}${r.isLeap ? 'L' : ''}`; };

test('epoch, leap months, range ends and the out-of-range values, at any time of day', () => {
  const cases = [
    '1900-01-31 1900-1-1', '1900-09-24 1900-8-1L', '1900-10-23 1900-9-1', '2017-07-23 2017-6-1L',
    '2017-08-21 2017-6-30L', '2017-08-22 2017-7-1', '2033-12-22 2033-11-1L', '2100-12-31 2100-12-1',
    '1900-01-30 1899-12-30', '1900-01-01 1899-12-1', '2101-01-29 2100-13-1', '2101-02-28 2100-13-31',
  ];
  for (const row of cases) {
    const [y, m, d] = row.slice(0, 10).split('-').map(Number);
    assert.equal(`${row.slice(0, 10)} ${lunar(y, m - 1, d)}`, row);
    assert.equal(lunar(y, m - 1, d, 23), lunar(y, m - 1, d), `time of day, ${row}`);
  }
});

const years = Array.from({ length: 201 }, (_, i) => 1900 + i);

// The table's months themselves are checked against the new moons
// (sky.test.mjs); here the converter must find every new year the table lays
// out, and the range's end, in every zone.
test('the converter finds every new year and the day before it, and lunar 2100 ends on 2101-01-28', () => {
  let t = Date.UTC(1900, 0, 31);
  for (const y of years) {
    const u = new Date(t), [yy, mm, dd] = [u.getUTCFullYear(), u.getUTCMonth(), u.getUTCDate()];
    assert.equal(lunar(yy, mm, dd), `${y}-1-1`);
    if (y > 1900) assert.equal(lunar(yy, mm, dd - 1), `${y - 1}-12-${c.monthDays(y - 1, 12)}`);
    t += c.lYearDays(y) * 86400000;
  }
  assert.equal(new Date(t).toISOString().slice(0, 10), '2101-01-29');
});
