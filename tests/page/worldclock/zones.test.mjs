import { test } from 'node:test';
import assert from 'node:assert/strict';
import { loadPage } from '../load.mjs';

const { timeData } = loadPage({ only: ['worldclock/zones.js'] });
const continents = Object.keys(timeData);
// Plain arrays: the page's own come from another realm.
const entries = (i) => Object.entries(timeData[continents[i]]).map(([key, zone]) => [key, [...zone]]);

// Menu columns in the fixed-pitch font: a Chinese character or "·" is two
// columns wide, anything else one.
const columns = (text) => [...text].reduce((n, ch) => n + (ch.codePointAt(0) >= 0xb7 ? 2 : 1), 0);
// Everything before the Chinese name: the key's last word, or that word from
// its first Chinese character on when the English name runs into it
// ("Russia(Vladivostok)俄罗斯").
const beforeChineseName = (key) => key.replace(/ +$/, '').replace(/([^ \u00b7-\uffff]*)[^ ]*$/, '$1');

test('ten continents with their entry counts, 223 zones in all', () => {
  assert.deepEqual(Object.values(timeData).map((c) => Object.keys(c).length),
    [22, 27, 5, 23, 7, 11, 13, 36, 46, 33]);
  assert.equal(continents[0], 'Asia               亚洲');
  assert.equal(continents[9], 'Oceania            大洋洲');
});

test('the entries the clock relies on stand at their menu positions', () => {
  assert.deepEqual(entries(0)[3], ['China              中国    ', ['+0800', '', '北京、重庆、上海、天津']]);
  assert.deepEqual(entries(7)[10], ['Chilean            智利    ', ['-0300', '10F03|03F03', '圣地亚哥']]);
  assert.deepEqual(entries(9)[32], ['国际换日线' + ' '.repeat(19), ['-1200', '', '国际换日线']]);
  assert.equal(entries(7).filter(([key]) => key.startsWith('Chilean')).length, 1);
});

test('the Chinese names of every key start in the same menu column', () => {
  for (const key of continents) assert.equal(columns(beforeChineseName(key)), 19, key);
  const exceptions = [];
  for (let i = 0; i < continents.length; i++) {
    for (const [key] of entries(i)) {
      if (columns(beforeChineseName(key)) !== 19) exceptions.push(key);
    }
  }
  assert.deepEqual(exceptions, [
    'Saint Kitts & Nevis 圣基茨和尼维斯',
    'St. Vincent & Grenadines 圣文森特和格林纳丁斯',
    '国际换日线' + ' '.repeat(19),
  ]);
});

test('every entry has a well-formed offset, rule and cities text', () => {
  for (const continent of Object.values(timeData)) {
    for (const [key, zone] of Object.entries(continent)) {
      assert.equal(zone.length, 3, key);
      assert.match(zone[0], /^[+-](0\d|1[0-3])(00|30|45)$/, key);
      assert.match(zone[1], /^$|^(0[1-9]|1[0-2])([FL][0-6]| \d)\d\|(0[1-9]|1[0-2])([FL][0-6]| \d)\d$/, key);
      assert.ok(zone[2].length > 0 && !/^ | $/.test(zone[2]), key);
      assert.ok(!/[\u00a0\u3000\t]/.test(key), key);
    }
  }
});
