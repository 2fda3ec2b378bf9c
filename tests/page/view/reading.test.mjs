// Screen-reader names of the day cells: the full reading of each day of the
// month drawn, none for the cells outside it.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { loadView, localNoon } from './fake-page.mjs';

test('day cell names: date, weekday, lunar date in words, then terms and festivals; none on a blank cell', () => {
  const page = loadView({ now: localNoon(2026, 11, 7), start: true });
  const names = {
    '2026-12-7': '2026年12月7日 星期一 农历十月廿九 大雪', '2001-5-23': '2001年5月23日 星期三 农历闰四月初一 国际牛奶日',
    '2003-4-20': '2003年4月20日 星期日 农历三月十九 谷雨 复活节 Easter Sunday',
    '1900-1-30': '1900年1月30日 星期二 农历十二月三十 除夕',
  };
  for (const [date, name] of Object.entries(names)) {
    const [y, m, d] = date.split('-').map(Number);
    page.drawCld(y, m - 1);
    assert.equal(page['GD' + (page.cld.firstWeek + d - 1)].ariaLabel, name);
  }
  assert.deepEqual([page.GD0.ariaLabel, page.GD41.ariaLabel], [null, null]);
});
