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
    const { page, timers, marked, text: shown, local } = loadClock(now, { TZ1: a, TZ2: c });
    assert.deepEqual([shown, marked, page.isDS, local, timers], [text, ds, ds, page.showLocale(new Date(now)), [['tick()', 1000]]]);
  }
});

test('a new continent opens on its first country, its city and its place on the map', () => {
  const { page } = loadClock(utc(2003, 7, 1));
  const shown = () => [page.objContinentMenu.selectedIndex, page.objCountryMenu.selectedIndex, page.City.innerHTML, page.world.style.left];
  page.objContinentMenu.selectedIndex = 3;
  page.chContinent();
  assert.deepEqual(page.objCountryMenu.texts(), Object.keys(page.timeData['Eastern Europe     中欧、东欧']));
  assert.deepEqual(shown(), [3, 0, '埃里温', '-40px']);
  const examples = { '+0000': 0, '+0545': -50, '+1300': -130, '-0100': -230, '-0330': -210, '-0830': -160, '-1200': -120 };
  for (const [offset, px] of Object.entries(examples)) assert.equal(String(page.mapShift(offset)), String(px), offset);
});
