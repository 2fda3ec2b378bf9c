import { test } from 'node:test';
import assert from 'node:assert/strict';
import { loadPage } from '../load.mjs';

const { timeData } = loadPage({ only: ['worldclock/zones.js'] });
const continents = Object.keys(timeData);
// Plain arrays: the page's own belong to another realm.
const entries = continents.map((c) => Object.entries(timeData[c]).map(([key, zone]) => [key, [...zone]]));

test('ten continents with 223 zones in menu order, each with an offset, a rule of two halves and its cities', () => {
  assert.deepEqual(entries.map((e) => e.length), [22, 27, 5, 23, 7, 11, 13, 36, 46, 33]);
  assert.equal(continents[0], 'Asia               亚洲');
  assert.deepEqual(entries[0][3], ['China              中国    ', ['+0800', '', '北京、重庆、上海、天津']]);
  assert.deepEqual(entries[7][10], ['Chilean            智利    ', ['-0300', '10F03|03F03', '圣地亚哥']]);
  for (const [key, [offset, rule, cities]] of entries.flat()) {
    assert.match(offset, /^[+-](0\d|1[0-3])(00|30|45)$/, key);
    assert.match(rule, /^$|^(0[1-9]|1[0-2])([FL][0-6]| \d)\d\|(0[1-9]|1[0-2])([FL][0-6]| \d)\d$/, key);
    assert.match(cities, /^\S(.*\S)?$/, key);
    assert.doesNotMatch(key, /[^\S ]/, 'keys hold no space but U+0020');
  }
});
