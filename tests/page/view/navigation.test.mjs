import { test } from 'node:test';
import assert from 'node:assert/strict';
import { loadView, localNoon } from './fake-page.mjs';

// The view without the engine, loaded at `now` and run at `later`: the month
// shown and the months drawn after pressing button `key` on month m of year y.
function press(y, m, key, now = localNoon(2003, 8, 11), later = now) {
  const page = loadView({ now, only: ['view/', 'frame/today.js', 'worldclock/host-zones.js'] }), drawn = [];
  page.drawCld = (...month) => drawn.push(month);
  page.__setNow(later);
  Object.assign(page.CLD, { SY: { selectedIndex: y - 1900 }, SM: { selectedIndex: m } });
  page.pushBtm(key);
  return [[page.CLD.SY.selectedIndex + 1900, page.CLD.SM.selectedIndex], drawn];
}

test('buttons move within 1900..2100, wrap the month and redraw once; the current month is the load month', () => {
  // [from year, from month (0 = January), key, to year, to month]
  const cases = [[2003, 5, 'YD', [2004, 5]], [2003, 5, 'YU', [2002, 5]], [2100, 11, 'YD', [2100, 11]],
    [1900, 0, 'YU', [1900, 0]], [2003, 5, 'MD', [2003, 6]], [2003, 5, 'MU', [2003, 4]], [2003, 11, 'MD', [2004, 0]],
    [2004, 0, 'MU', [2003, 11]], [1900, 0, 'MU', [1900, 11]], [2100, 11, 'MD', [2100, 0]], [2100, 0, '', [2003, 8]]];
  for (const [y, m, key, to] of cases) assert.deepEqual(press(y, m, key), [to, [to]], `${y}-${m} ${key}`);
  // Pressed after the load month has ended.
  assert.deepEqual(press(2010, 4, '', new Date(2003, 0, 31, 23, 59).getTime(), new Date(2003, 1, 1, 0, 5).getTime()),
    [[2003, 0], [[2003, 0]]]);
});
