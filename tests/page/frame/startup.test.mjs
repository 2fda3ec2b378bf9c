import { test } from 'node:test';
import assert from 'node:assert/strict';
import { loadPage } from '../load.mjs';
import { loadView, localNoon } from '../view/fake-page.mjs';

test('today is the local date of the load moment', () => {
  const page = loadPage({ only: ['frame/today.js', 'worldclock/host-zones.js'], now: Date.UTC(2003, 11, 31, 23, 30) });
  const local = new Date(Date.UTC(2003, 11, 31, 23, 30));
  assert.deepEqual([page.tY, page.tM, page.tD], [local.getFullYear(), local.getMonth(), local.getDate()]);
  assert.equal(page.Today.getTime(), local.getTime());
});

test('a clock outside 1900-2100 opens on the nearest month of the range, says so, and marks no day as today', () => {
  for (const [y, month, note] of [[2101, [2100, 11], '系统日期 2101-03-01 超出 1900–2100，显示 2100年12月'],
    [1899, [1900, 0], '系统日期 1899-03-01 超出 1900–2100，显示 1900年1月']]) {
    const page = loadView({ now: localNoon(y, 2, 1), start: true });
    assert.deepEqual([page.tY, page.tM, page.todayNote], [...month, note]);
    assert.ok(Array.from({ length: page.cld.length }, (_, d) => page.cld[d].isToday).every((today) => !today));
  }
});
