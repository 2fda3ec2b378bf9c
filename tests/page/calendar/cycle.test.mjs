import { test } from 'node:test';
import assert from 'node:assert/strict';
import { loadPage } from '../load.mjs';

const c = loadPage({ only: ['calendar/'] });
const termDays = (y) => Array.from({ length: 24 }, (_, n) => c.sTerm(y, n));

test('the days of the 24 terms of 1900, 2003 and 2100', () => {
  const days1900 = [6, 20, 4, 19, 6, 21, 5, 20, 6, 21, 6, 22, 7, 23, 8, 23, 8, 23, 9, 24, 8, 23, 7, 22];
  assert.deepEqual(termDays(1900), days1900);
  assert.deepEqual(termDays(2003), days1900);
  assert.deepEqual(termDays(2100),
    [5, 20, 4, 18, 5, 20, 5, 20, 5, 21, 5, 21, 7, 23, 7, 23, 7, 23, 8, 23, 7, 22, 7, 22]);
  assert.equal(c.sTerm(1957, 20), 7); // 23:59:40.558 UTC, the closest to midnight
  assert.equal(c.solarTerm[0], '小寒');
  assert.equal(c.solarTerm[5], '春分');
  assert.equal(c.solarTerm[23], '冬至');
});

test('every term of 1900-2100 falls in month n / 2, at least 19 s from a UTC midnight', () => {
  for (let y = 1900; y <= 2100; y++) {
    for (let n = 0; n < 24; n++) {
      const t = 31556925974.7 * (y - 1900) + c.sTermInfo[n] * 60000 + Date.UTC(1900, 0, 6, 2, 5);
      const d = new Date(t);
      assert.equal(d.getUTCMonth(), n >> 1, `term ${n} of ${y}`);
      assert.equal(c.sTerm(y, n), d.getUTCDate(), `term ${n} of ${y}`);
      const intoDay = ((t % 86400000) + 86400000) % 86400000;
      assert.ok(intoDay >= 19000 && intoDay <= 86400000 - 19000, `term ${n} of ${y} near midnight`);
    }
  }
});

test('cycle names', () => {
  const cases = [[0, '甲子'], [10, '甲戌'], [12, '丙子'], [36, '庚子'], [59, '癸亥'], [60, '甲子'],
    [139, '癸未'], [138, '壬午'], [1248, '壬子'], [1249, '癸丑'], [37630, '甲戌'], [236, '庚申']];
  for (const [num, name] of cases) assert.equal(c.cyclical(num), name, String(num));
  // All 60 names differ, so the stem and branch advance together.
  assert.equal(new Set(Array.from({ length: 60 }, (_, i) => c.cyclical(i))).size, 60);
  assert.equal(c.Animals[(2003 - 4) % 12], '羊');
  assert.equal(c.Animals[(2100 - 4) % 12], '猴');
  assert.equal(c.Animals[(1900 - 4) % 12], '鼠');
});

test('lunar day numerals', () => {
  const cases = [[0, '初日'], [1, '初一'], [9, '初九'], [10, '初十'], [11, '十一'], [19, '十九'],
    [20, '二十'], [21, '廿一'], [29, '廿九'], [30, '三十'], [-1, ''], [-29, '']];
  for (const [d, text] of cases) assert.equal(c.cDay(d), text, String(d));
  assert.equal(c.nStr1[0], '日');
  assert.equal(c.nStr1[3], '三');
  assert.equal(c.nStr2[4], '\u25a1');
});
