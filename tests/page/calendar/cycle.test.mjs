import { test } from 'node:test';
import assert from 'node:assert/strict';
import { loadPage } from '../load.mjs';

const c = loadPage({ only: ['calendar/'] });
const termDays = (y) => Array.from({ length: 24 }, (_, n) => c.sTerm(y, n)).join(' ');

test('solar terms: the days of 1900, 2003 and 2100, and a term a second before midnight', () => {
  const days1900 = '6 20 4 19 6 21 5 20 6 21 6 22 7 23 8 23 8 23 9 24 8 23 7 22';
  assert.deepEqual([termDays(1900), termDays(2003)], [days1900, days1900]);
  assert.equal(termDays(2100), '5 20 4 18 5 20 5 20 5 21 5 21 7 23 7 23 7 23 8 23 7 22 7 22');
  assert.equal(c.sTerm(1957, 20), 7); // 23:59:40.558 UTC
});

test('cycle names and lunar day numerals', () => {
  const names = { 0: '甲子', 12: '丙子', 59: '癸亥', 60: '甲子', 139: '癸未', 1249: '癸丑', 37630: '甲戌' };
  for (const [num, name] of Object.entries(names)) assert.equal(c.cyclical(Number(num)), name, num);
  assert.equal(new Set(Array.from({ length: 60 }, (_, i) => c.cyclical(i))).size, 60);
  const numerals = '初日 初一 初九 初十 十一 十九 二十 廿一 廿九 三十'.split(' ');
  assert.deepEqual([0, 1, 9, 10, 11, 19, 20, 21, 29, 30, -1, -29].map(c.cDay), [...numerals, '', '']);
});
