import { test } from 'node:test';
import assert from 'node:assert/strict';
import { loadView, localNoon } from './fake-page.mjs';

// The view without the engine: drawCld is replaced by a recorder.
function navigator(now = localNoon(2003, 8, 11)) {
  const page = loadView({ now, only: ['view/', 'frame/today.js', 'worldclock/host-zones.js'] });
  const drawn = [];
  page.drawCld = (y, m) => drawn.push([y, m]);
  const show = (y, m) => { page.CLD.SY.selectedIndex = y - 1900; page.CLD.SM.selectedIndex = m; };
  return { page, drawn, show };
}

test('buttons move, clamp the year to 1900..2100, wrap the month, and redraw once', () => {
  // [from year, from month (0 = January), key, to year, to month]
  const cases = [[2003, 5, 'YD', 2004, 5], [2003, 5, 'YU', 2002, 5], [2100, 11, 'YD', 2100, 11], [1900, 0, 'YU', 1900, 0],
    [2003, 5, 'MD', 2003, 6], [2003, 5, 'MU', 2003, 4], [2003, 11, 'MD', 2004, 0], [2004, 0, 'MU', 2003, 11],
    [1900, 0, 'MU', 1900, 11], [2100, 11, 'MD', 2100, 0], [1950, 3, '', 2003, 8], [2100, 0, 'anything', 2003, 8]];
  for (const [fy, fm, key, ty, tm] of cases) {
    const { page, drawn, show } = navigator();
    show(fy, fm);
    page.pushBtm(key);
    const shown = [page.CLD.SY.selectedIndex + 1900, page.CLD.SM.selectedIndex];
    assert.deepEqual([shown, drawn], [[ty, tm], [[ty, tm]]], `${fy}-${fm + 1} ${key}`);
  }
  // The current-month button returns to the load month after that month has ended.
  const { page, drawn, show } = navigator(new Date(2003, 0, 31, 23, 59).getTime());
  page.__setNow(new Date(2003, 1, 1, 0, 5).getTime());
  show(2010, 4);
  page.pushBtm('');
  assert.deepEqual(drawn, [[2003, 0]]);
});
