import { test } from 'node:test';
import assert from 'node:assert/strict';
import { loadClock } from './fakes.mjs';

const utc = (y, mo, d, h = 0, mi = 0, s = 0) => Date.UTC(y, mo - 1, d, h, mi, s);

// Twelve-hour clocks where 12:xx stays 上午 and 00:xx stays 00.
test('zone clock: offsets, daylight saving on the zone\'s standard time, the zone\'s new year; the local clock', () => {
  assert.equal(loadClock(0).page.showLocale(new Date(2003, 9, 5, 21, 7, 0)), '2003年10月5日 (日) 下午 09:07:00');
  const cases = [ // [continent, country, now, text, on daylight saving]
    [0, 3, utc(2003, 1, 1, 4, 30, 5), '2003年1月1日 (三) 上午 12:30:05', false], // China
    [3, 5, utc(2003, 10, 25, 23, 59, 59), '2003年10月26日 (日) 上午 01:59:59', true], // Germany
    [3, 5, utc(2003, 10, 26), '2003年10月26日 (日) 上午 01:00:00', false],
    [1, 15, utc(2003, 7, 4, 12), '2003年7月4日 (五) 下午 05:45:00', false], // Nepal
    [9, 19, utc(2003, 12, 31, 23), '2004年1月1日 (四) 上午 12:45:00', true], // New Zealand(CHADT)
  ];
  for (const [a, c, now, text, ds] of cases) {
    const { page, drawn, ...got } = loadClock(now, { TZ2: c, TZ1: a });
    assert.deepEqual(got, { timers: [['tick()', 1000]], marked: ds, text, local: page.showLocale(new Date(now)) });
  }
});

test('a new continent opens on its first country, its city and its place on the map', () => {
  const { page } = loadClock(utc(2003, 7, 1));
  page.objContinentMenu.selectedIndex = 3;
  page.chContinent();
  const { objCountryMenu: menu, City, world } = page;
  assert.deepEqual([menu.texts(), menu.selectedIndex, City.innerHTML, world.style.left],
    [Object.keys(page.timeData['Eastern Europe     中欧、东欧']), 0, '埃里温', '-40px']);
  const examples = { '+0000': 0, '+0545': -50, '+1300': -130, '-0100': -230, '-0330': -210, '-0830': -160, '-1200': -120 };
  for (const [offset, px] of Object.entries(examples)) assert.equal(String(page.mapShift(offset)), String(px), offset);
});
