import { test } from 'node:test';
import assert from 'node:assert/strict';
import { loadPage } from '../load.mjs';

const c = loadPage({ only: ['calendar/'] });

test('cycle names and lunar day numerals', () => {
  const names = { 0: '甲子', 12: '丙子', 59: '癸亥', 60: '甲子', 139: '癸未', 1249: '癸丑', 37630: '甲戌' };
  for (const [num, name] of Object.entries(names)) assert.equal(c.cyclical(Number(num)), name, num);
  assert.equal(new Set(Array.from({ length: 60 }, (_, i) => c.cyclical(i))).size, 60);
  const numerals = '初日 初一 初九 初十 十一 十九 二十 廿一 廿九 三十'.split(' ');
  assert.deepEqual([0, 1, 9, 10, 11, 19, 20, 21, 29, 30, -1, -29].map(c.cDay), [...numerals, '', '']);
});
