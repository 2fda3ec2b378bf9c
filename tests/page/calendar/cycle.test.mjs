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

test('cycle names, animals and lunar day numerals', () => {
  const names = { 0: '甲子', 10: '甲戌', 12: '丙子', 36: '庚子', 59: '癸亥', 60: '甲子', 138: '壬午',
    139: '癸未', 236: '庚申', 1248: '壬子', 1249: '癸丑', 37630: '甲戌' };
  for (const [num, name] of Object.entries(names)) assert.equal(c.cyclical(Number(num)), name, num);
  assert.equal(new Set(Array.from({ length: 60 }, (_, i) => c.cyclical(i))).size, 60);
  assert.deepEqual([1900, 2003, 2100].map((y) => c.Animals[(y - 4) % 12]), ['鼠', '羊', '猴']);
  const numerals = { 0: '初日', 1: '初一', 9: '初九', 10: '初十', 11: '十一', 19: '十九', 20: '二十',
    21: '廿一', 29: '廿九', 30: '三十', '-1': '', '-29': '' };
  for (const [d, text] of Object.entries(numerals)) assert.equal(c.cDay(Number(d)), text, d);
});
