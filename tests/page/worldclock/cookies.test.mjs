import { test } from 'node:test';
import assert from 'node:assert/strict';
import { loadClock } from './fakes.mjs';

const NOW = Date.UTC(2003, 5, 6, 12, 0, 0);

// (A good one, found after the other cookie, is read in the zone clock's tests.)
test('a bad, empty or missing remembered zone still starts the clock and the calendar, on Asia, China', () => {
  for (const jar of [{ TZ1: 'abc', TZ2: '1' }, { TZ1: '-1', TZ2: '3' }, { TZ1: '10', TZ2: '0' }, { TZ1: '5' },
    { TZ1: '2', TZ2: '5' }, { TZ2: '7' }, { TZ1: '', TZ2: '5' }, {}]) {
    const { page: { objContinentMenu: a, objCountryMenu: c, City }, timers, drawn } = loadClock(NOW, jar);
    assert.deepEqual([a.selectedIndex, c.selectedIndex, City.innerHTML, timers.length, drawn],
      [0, 3, '北京、重庆、上海、天津', 1, [[2003, 5]]], JSON.stringify(jar));
  }
});
