import { test } from 'node:test';
import assert from 'node:assert/strict';
import { loadPage } from '../load.mjs';

const { timeData } = loadPage({ only: ['worldclock/zones.js'] });
// Plain arrays: the page's own belong to another realm.
const entries = Object.values(timeData).map((zones) => Object.entries(zones).map(([key, zone]) => [key, [...zone]]));

test('ten continents with 223 zones in menu order, each with an offset, a rule of two halves and its cities', () => {
  assert.deepEqual(entries.map((e) => e.length), [22, 27, 5, 23, 7, 11, 13, 36, 46, 33]);
  assert.deepEqual(entries[7][10], ['Chilean            智利    ', ['-0300', '10F03|03F03', '圣地亚哥']]);
  for (const [key, [offset, , cities]] of entries.flat()) {
    assert.match(offset, /^[+-](0\d|1[0-3])(00|30|45)$/, key);
    assert.match(cities, /^\S(.*\S)?$/, key);
    assert.doesNotMatch(key, /[^\S ]/, 'keys hold no space but U+0020');
  }
});
