import { test } from 'node:test';
import assert from 'node:assert/strict';
import { loadClock } from './fakes.mjs';

const MARK = "<SPAN STYLE='font-size:12pt;font-family:Wingdings; color:Red;'>R</span> ";
const utc = (y, mo, d, h = 0, mi = 0, s = 0) => Date.UTC(y, mo - 1, d, h, mi, s);

// The zone entry whose English name is `name`.
function zone(page, name) {
  for (const countries of Object.values(page.timeData)) {
    for (const [key, entry] of Object.entries(countries)) if (key.startsWith(name + ' ')) return entry;
  }
  throw new Error(`no zone ${name}`);
}

test('twelve-hour texts: 12:xx stays 上午, 00:xx stays 00', () => {
  const { page } = loadClock(0);
  const cases = [
    [utc(2003, 7, 4, 0, 5, 9), '2003年7月4日 (五) 上午 00:05:09'],
    [utc(2003, 7, 4, 12, 30, 5), '2003年7月4日 (五) 上午 12:30:05'],
    [utc(2003, 7, 4, 13), '2003年7月4日 (五) 下午 01:00:00'],
    [utc(2003, 12, 31, 23, 59, 59), '2003年12月31日 (三) 下午 11:59:59'],
  ];
  for (const [instant, text] of cases) assert.equal(page.showUTC(new Date(instant)), text);
});

test('the local clock reads the machine zone\'s fields', () => {
  const { page } = loadClock(0);
  assert.equal(page.showLocale(new Date(2003, 0, 1, 12, 30, 5)), '2003年1月1日 (三) 上午 12:30:05');
  assert.equal(page.showLocale(new Date(2003, 9, 5, 21, 7, 0)), '2003年10月5日 (日) 下午 09:07:00');
});

test('zone clock: offsets, daylight saving on the zone\'s standard time, the zone\'s new year', () => {
  const cases = [
    ['Germany', utc(2003, 7, 1), '2003年7月1日 (二) 上午 02:00:00', true],
    ['China', utc(2003, 1, 1, 4, 30, 5), '2003年1月1日 (三) 上午 12:30:05', false],
    ['Germany', utc(2003, 10, 25, 23, 59, 59), '2003年10月26日 (日) 上午 01:59:59', true],
    ['Germany', utc(2003, 10, 26), '2003年10月26日 (日) 上午 01:00:00', false],
    ['Germany', utc(2003, 3, 30), '2003年3月30日 (日) 上午 01:00:00', false],
    ['Germany', utc(2003, 3, 30, 0, 0, 1), '2003年3月30日 (日) 上午 02:00:01', true],
    ['US(Eastern)', utc(2003, 7, 4, 12), '2003年7月4日 (五) 上午 08:00:00', true],
    ['Nepal', utc(2003, 7, 4, 12), '2003年7月4日 (五) 下午 05:45:00', false],
    ['New Zealand(CHADT)', utc(2003, 12, 31, 23), '2004年1月1日 (四) 上午 12:45:00', true],
  ];
  for (const [name, now, text, ds] of cases) {
    const { page } = loadClock(now);
    page.objTimeZone = zone(page, name);
    assert.equal(page.getGlobeTime(), text, name);
    assert.equal(page.isDS, ds, name);
  }
});

test('tick redraws both clocks and arms one timer for the next second', () => {
  const { page, timers } = loadClock(utc(2003, 7, 1));
  page.setTZ(3, 5);
  page.tick();
  assert.equal(page.LocalTime.innerHTML, page.showLocale(new Date(utc(2003, 7, 1))));
  assert.equal(page.GlobeTime.innerHTML, '2003年7月1日 (二) 上午 02:00:00');
  assert.deepEqual(timers, [['tick()', 1000]]);
  page.__setNow(utc(2003, 7, 1, 0, 0, 1));
  page.tick();
  assert.equal(page.GlobeTime.innerHTML, '2003年7月1日 (二) 上午 02:00:01');
  assert.equal(timers.length, 2);
});

test('the default choice shows China without the mark and shifts the map to -80', () => {
  const { page } = loadClock(utc(2003, 7, 1));
  page.setTZ(0, 3);
  assert.equal(page.objContinentMenu.selectedIndex, 0);
  assert.equal(page.objCountryMenu.texts().length, 22);
  assert.equal(page.objCountryMenu.selectedIndex, 3);
  assert.equal(page.objCountryMenu.texts()[3], 'China              中国    ');
  assert.equal(page.City.innerHTML, '北京、重庆、上海、天津');
  assert.equal(page.world.style.left, '-80px');
});

test('a zone on daylight saving gets the red mark before its cities', () => {
  const { page } = loadClock(utc(2003, 7, 1));
  page.setTZ('3', '5');
  assert.equal(page.City.innerHTML, `${MARK}柏林、波恩`);
  assert.equal(page.world.style.left, '-10px');
});

test('changing the continent replaces the countries and selects the first', () => {
  const { page } = loadClock(utc(2003, 7, 1));
  page.setTZ(0, 3);
  page.objContinentMenu.selectedIndex = 3;
  page.chContinent();
  const countries = page.objCountryMenu.texts();
  assert.deepEqual(countries, Object.keys(page.timeData['Eastern Europe     中欧、东欧']));
  assert.equal(page.objCountryMenu.selectedIndex, 0);
  assert.equal(page.City.innerHTML, '埃里温');
  page.objCountryMenu.selectedIndex = 22;
  page.chCountry();
  assert.equal(page.City.innerHTML, `${MARK}明斯克`);
});

test('every menu entry can be chosen, and the map moves 10 pixels per whole hour', () => {
  // "+hh" moves hh × 10 pixels left, "-hh" the same as "+(24 - hh)".
  const expectedShift = (offset) => {
    const hours = Number(offset.slice(1, 3));
    if (hours === 0) return '0px';
    return `${offset[0] === '+' ? -10 * hours : -10 * (24 - hours)}px`;
  };
  const { page } = loadClock(utc(2003, 7, 1));
  Object.values(page.timeData).forEach((countries, a) => {
    Object.entries(countries).forEach(([key, entry], c) => {
      page.setTZ(String(a), String(c));
      assert.equal(page.objTimeZone, entry, key);
      assert.ok(page.City.innerHTML.endsWith(entry[2]), key);
      assert.equal(page.world.style.left, expectedShift(entry[0]), key);
    });
  });
  for (const [offset, px] of [['+0530', -50], ['+0545', -50], ['-0830', -160], ['-0330', -210], ['-1200', -120], ['+1200', -120]]) {
    assert.equal(page.mapShift(offset), px, offset);
  }
});

test('a remembered choice that names no entry falls back to Asia, China', () => {
  const bad = [
    ['abc', '1'], ['-1', '0'], ['10', '0'], ['0', '22'], ['4', '7'],
    ['5', ''], ['1.5', '0'], ['0', 'x'], ['0', '-3'], [undefined, undefined],
  ];
  for (const [a, c] of bad) {
    const { page } = loadClock(utc(2003, 7, 1));
    page.setTZ(a, c);
    assert.deepEqual([page.objContinentMenu.selectedIndex, page.objCountryMenu.selectedIndex], [0, 3], `${a}/${c}`);
    assert.equal(page.City.innerHTML, '北京、重庆、上海、天津', `${a}/${c}`);
  }
});

test('remembered choices that name entries are kept, up to the last ones', () => {
  for (const [a, c, cities] of [['9', '32', '国际换日线'], ['7', '35', '加拉加斯'], ['8', '0', '阿尔及尔'], [7, 10, '圣地亚哥']]) {
    const { page } = loadClock(utc(2003, 1, 1));
    page.setTZ(a, c);
    assert.deepEqual([page.objContinentMenu.selectedIndex, page.objCountryMenu.selectedIndex], [Number(a), Number(c)]);
    assert.ok(page.City.innerHTML.endsWith(cities), `${a}/${c}`);
  }
});
