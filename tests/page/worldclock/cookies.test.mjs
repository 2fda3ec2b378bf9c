import { test } from 'node:test';
import assert from 'node:assert/strict';
import { loadClock } from './fakes.mjs';

const NOW = Date.UTC(2003, 5, 6, 12, 0, 0);

test('a cookie is found anywhere in the cookie text, empty when absent', () => {
  const { page } = loadClock(NOW);
  const read = (text) => { page.document = { cookie: text }; return page.getCookie('TZ1'); };
  assert.deepEqual(['', 'TZ2=7', 'TZ2=17; TZ1=4', 'TZ1=; TZ2=3'].map(read), ['', '', '4', '']);
});

test('a bad remembered zone still starts the clock and the calendar, on Asia, China', () => {
  for (const jar of [{ TZ1: 'abc', TZ2: '1' }, { TZ1: '-1', TZ2: '3' }, { TZ1: '10', TZ2: '0' }, { TZ1: '5' },
    { TZ1: '2', TZ2: '5' }, { TZ2: '7' }]) {
    const { page, timers, drawn } = loadClock(NOW, jar);
    assert.deepEqual([page.objContinentMenu.selectedIndex, page.objCountryMenu.selectedIndex, page.City.innerHTML, timers.length, drawn],
      [0, 3, '北京、重庆、上海、天津', 1, [[2003, 5]]], JSON.stringify(jar));
  }
});
