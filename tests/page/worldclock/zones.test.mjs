import { test } from 'node:test';
import assert from 'node:assert/strict';
import { loadPage } from '../load.mjs';

const { timeData } = loadPage({ only: ['worldclock/zones.js'] });
const continents = Object.keys(timeData);
// Plain arrays: the page's own belong to another realm.
const entries = continents.map((c) => Object.entries(timeData[c]).map(([key, zone]) => [key, [...zone]]));

// Menu columns in the fixed-pitch font: a Chinese character or "·" takes two.
const columns = (text) => [...text].reduce((n, ch) => n + (ch >= '\u00b7' ? 2 : 1), 0);
// Everything before the Chinese name: the key's last word, or its tail from
// the first Chinese character ("Russia(Vladivostok)俄罗斯").
const beforeChineseName = (key) => key.trimEnd().replace(/([^ \u00b7-\uffff]*)[^ ]*$/, '$1');

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

test('the Chinese names start in column 20 in every key but three', () => {
  for (const key of continents) assert.equal(columns(beforeChineseName(key)), 19, key);
  assert.deepEqual(entries.flat().map(([key]) => key).filter((key) => columns(beforeChineseName(key)) !== 19), [
    'Saint Kitts & Nevis 圣基茨和尼维斯', 'St. Vincent & Grenadines 圣文森特和格林纳丁斯', `国际换日线${' '.repeat(19)}`]);
});
