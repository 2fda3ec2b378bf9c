import { test } from 'node:test';
import assert from 'node:assert/strict';
import { loadClock } from './fakes.mjs';

const MARK = "<SPAN STYLE='font-size:12pt;font-family:Wingdings; color:Red;'>R</span> ";
const utc = (y, mo, d, h = 0, mi = 0, s = 0) => Date.UTC(y, mo - 1, d, h, mi, s);
const shown = (page) => [page.objContinentMenu.selectedIndex, page.objCountryMenu.selectedIndex, page.City.innerHTML];

test('time texts: twelve-hour clock where 12:xx stays 上午 and 00:xx stays 00', () => {
  const { page } = loadClock(0);
  assert.equal(page.showUTC(new Date(utc(2003, 7, 4, 0, 5, 9))), '2003年7月4日 (五) 上午 00:05:09');
  assert.equal(page.showUTC(new Date(utc(2003, 7, 4, 12, 30, 5))), '2003年7月4日 (五) 上午 12:30:05');
  assert.equal(page.showUTC(new Date(utc(2003, 7, 4, 13))), '2003年7月4日 (五) 下午 01:00:00');
  assert.equal(page.showUTC(new Date(utc(2003, 12, 31, 23, 59, 59))), '2003年12月31日 (三) 下午 11:59:59');
  // The local clock reads the machine zone's fields.
  assert.equal(page.showLocale(new Date(2003, 0, 1, 12, 30, 5)), '2003年1月1日 (三) 上午 12:30:05');
  assert.equal(page.showLocale(new Date(2003, 9, 5, 21, 7, 0)), '2003年10月5日 (日) 下午 09:07:00');
});

test('zone clock: offsets, daylight saving on the zone\'s standard time, the zone\'s new year', () => {
  const cases = [ // [continent, country, now, text, on daylight saving]
    [3, 5, utc(2003, 7, 1), '2003年7月1日 (二) 上午 02:00:00', true], // Germany
    [0, 3, utc(2003, 1, 1, 4, 30, 5), '2003年1月1日 (三) 上午 12:30:05', false], // China
    [3, 5, utc(2003, 10, 25, 23, 59, 59), '2003年10月26日 (日) 上午 01:59:59', true],
    [3, 5, utc(2003, 10, 26), '2003年10月26日 (日) 上午 01:00:00', false],
    [3, 5, utc(2003, 3, 30), '2003年3月30日 (日) 上午 01:00:00', false],
    [3, 5, utc(2003, 3, 30, 0, 0, 1), '2003年3月30日 (日) 上午 02:00:01', true],
    [6, 6, utc(2003, 7, 4, 12), '2003年7月4日 (五) 上午 08:00:00', true], // US(Eastern)
    [1, 15, utc(2003, 7, 4, 12), '2003年7月4日 (五) 下午 05:45:00', false], // Nepal
    [9, 19, utc(2003, 12, 31, 23), '2004年1月1日 (四) 上午 12:45:00', true], // New Zealand(CHADT)
  ];
  for (const [a, c, now, text, ds] of cases) {
    const { page, timers } = loadClock(now);
    page.setTZ(a, c);
    page.tick();
    assert.equal(page.GlobeTime.innerHTML, text);
    assert.equal(page.isDS, ds, text);
    assert.equal(page.City.innerHTML.startsWith(MARK), ds, text);
    assert.equal(page.LocalTime.innerHTML, page.showLocale(new Date(now)));
    assert.deepEqual(timers, [['tick()', 1000]]);
  }
});

test('the default choice: China, no mark, map at -80; a new continent opens on its first country', () => {
  const { page } = loadClock(utc(2003, 7, 1));
  page.setTZ(0, 3);
  assert.deepEqual(shown(page), [0, 3, '北京、重庆、上海、天津']);
  assert.equal(page.objCountryMenu.texts().length, 22);
  assert.equal(page.world.style.left, '-80px');
  page.objContinentMenu.selectedIndex = 3;
  page.chContinent();
  assert.deepEqual(page.objCountryMenu.texts(), Object.keys(page.timeData['Eastern Europe     中欧、东欧']));
  assert.deepEqual(shown(page), [3, 0, '埃里温']);
  page.objCountryMenu.selectedIndex = 5;
  page.chCountry();
  assert.deepEqual(shown(page), [3, 5, `${MARK}柏林、波恩`]);
});

test('every entry can be chosen by its indexes, and the map moves 10 pixels per whole hour', () => {
  // "+hh" shifts hh × 10 pixels left, "-hh" as far as "+(24 - hh)"; minutes do not count.
  const shift = (offset) => `${-10 * ((offset[0] === '+' ? 0 : 24) + Number(offset.slice(0, 3))) % 240}px`;
  const { page } = loadClock(utc(2003, 7, 1));
  Object.values(page.timeData).forEach((countries, a) => {
    Object.entries(countries).forEach(([key, entry], c) => {
      page.setTZ(String(a), String(c));
      assert.equal(page.objTimeZone, entry, key);
      assert.equal(page.world.style.left, shift(entry[0]), key);
    });
  });
  const examples = { '+0000': 0, '+0545': -50, '+1300': -130, '-0100': -230, '-0330': -210, '-0830': -160, '-1200': -120 };
  for (const [offset, px] of Object.entries(examples)) assert.equal(`${page.mapShift(offset)}px`, `${px}px`, offset);
});
