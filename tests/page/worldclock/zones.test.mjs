import { test } from 'node:test';
import assert from 'node:assert/strict';
import { loadPage } from '../load.mjs';

const { timeData } = loadPage({ only: ['worldclock/zones.js'] });
const continents = Object.keys(timeData);
// Plain arrays: the page's own belong to another realm.
const entries = (i) => Object.entries(timeData[continents[i]]).map(([key, zone]) => [key, [...zone]]);
const allKeys = () => continents.flatMap((_, i) => entries(i).map(([key]) => key));

// Menu columns in the fixed-pitch font: a Chinese character or "·" takes two.
const columns = (text) => [...text].reduce((n, ch) => n + (ch >= '\u00b7' ? 2 : 1), 0);
// Everything before the Chinese name, which is the key's last word or, where
// the English name runs into it ("Russia(Vladivostok)俄罗斯"), its tail from
// the first Chinese character.
const beforeChineseName = (key) => key.trimEnd().replace(/([^ \u00b7-\uffff]*)[^ ]*$/, '$1');

test('ten continents with 223 zones, in menu order', () => {
  assert.deepEqual(continents.map((_, i) => entries(i).length), [22, 27, 5, 23, 7, 11, 13, 36, 46, 33]);
  assert.equal(continents[0], 'Asia               亚洲');
  assert.deepEqual(entries(0)[3], ['China              中国    ', ['+0800', '', '北京、重庆、上海、天津']]);
  assert.deepEqual(entries(7)[10], ['Chilean            智利    ', ['-0300', '10F03|03F03', '圣地亚哥']]);
  assert.deepEqual(entries(9)[32], [`国际换日线${' '.repeat(19)}`, ['-1200', '', '国际换日线']]);
});

test('the Chinese names start in column 20 in every key but three', () => {
  for (const key of continents) assert.equal(columns(beforeChineseName(key)), 19, key);
  assert.deepEqual(allKeys().filter((key) => columns(beforeChineseName(key)) !== 19), [
    'Saint Kitts & Nevis 圣基茨和尼维斯',
    'St. Vincent & Grenadines 圣文森特和格林纳丁斯',
    `国际换日线${' '.repeat(19)}`,
  ]);
});

test('every entry has an offset, a rule that reads as two halves, and its cities', () => {
  for (let i = 0; i < continents.length; i++) {
    for (const [key, [offset, rule, cities]] of entries(i)) {
      assert.match(offset, /^[+-](0\d|1[0-3])(00|30|45)$/, key);
      assert.match(rule, /^$|^(0[1-9]|1[0-2])([FL][0-6]| \d)\d\|(0[1-9]|1[0-2])([FL][0-6]| \d)\d$/, key);
      assert.match(cities, /^\S(.*\S)?$/, key);
    }
  }
  assert.ok(allKeys().every((key) => !/[^\S ]/.test(key)), 'keys hold no space but U+0020');
});
