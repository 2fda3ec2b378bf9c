// Screen-reader names of the day cells: the full reading of each day of the
// month drawn, none for the cells outside it.
import { describe, it } from 'node:test';
import assert from 'node:assert/strict';
import { loadView, startView, localNoon } from './fake-page.mjs';

describe('day cell names', () => {
  const page = loadView({ now: localNoon(2026, 11, 7) });
  startView(page);
  const nameOf = (y, m, d) => {
    page.drawCld(y, m);
    return page['GD' + (page.cld.firstWeek + d - 1)].ariaLabel;
  };

  it('reads date, weekday, lunar date in words, then terms and festivals with single spaces', () => {
    assert.equal(nameOf(2026, 11, 7), '2026年12月7日 星期一 农历十月廿九 大雪');
    assert.equal(nameOf(2001, 4, 23), '2001年5月23日 星期三 农历闰四月初一 国际牛奶日');
    assert.equal(nameOf(2003, 3, 20), '2003年4月20日 星期日 农历三月十九 谷雨 复活节 Easter Sunday');
    assert.equal(nameOf(2026, 0, 10), '2026年1月10日 星期六 农历十一月廿二');
    assert.equal(nameOf(2004, 0, 22), '2004年1月22日 星期四 农历正月初一 春节');
  });

  it('leaves out the lunar date before the lunar table and names no blank cell', () => {
    assert.equal(nameOf(1900, 0, 30), '1900年1月30日 星期二');
    assert.deepEqual([page.GD0.ariaLabel, page.GD41.ariaLabel], [null, null]);
  });
});
