import { test } from 'node:test';
import assert from 'node:assert/strict';
import { loadView } from './fake-page.mjs';

test('the focus mark crosses month ends but never leaves 1900..2100', () => {
  const page = loadView({ only: ['view/', 'frame/today.js', 'worldclock/host-zones.js'] });
  Object.assign(page, { changeCld() {}, markDay(d) { page.kDay = d; } });
  // [year, month (0 = January), marked day, step, then year, month, day]
  const cases = [[2003, 0, 31, 1, [2003, 1, 1]], [2003, 2, 1, -7, [2003, 1, 22]],
    [2100, 11, 31, 1, [2100, 11, 31]], [1900, 0, 3, -7, [1900, 0, 3]]];
  for (const [y, m, d, step, to] of cases) {
    Object.assign(page.CLD, { SY: { selectedIndex: y - 1900 }, SM: { selectedIndex: m } });
    page.kDay = d;
    page.moveMark(step);
    const at = [page.CLD.SY.selectedIndex + 1900, page.CLD.SM.selectedIndex, page.kDay];
    assert.deepEqual(at, to, `${y}-${m}-${d} ${step}`);
  }
});
