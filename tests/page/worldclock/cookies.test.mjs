import { test } from 'node:test';
import assert from 'node:assert/strict';
import { loadClock } from './fakes.mjs';

const NOW = Date.UTC(2003, 5, 6, 12, 0, 0);
const EXPIRES = '; expires=Sat, 05 Jun 2004 12:00:00 GMT';

test('cookies: escaped values that expire 365 days on, found anywhere in the cookie text', () => {
  const { page } = loadClock(NOW);
  page.setCookie('TZ1', 5);
  page.setCookie('TZ2', 'a b;c');
  assert.deepEqual(page.document.written, [`TZ1=5${EXPIRES}`, `TZ2=a%20b%3Bc${EXPIRES}`]);
  assert.deepEqual(['TZ1', 'TZ2', 'TZ3'].map(page.getCookie), ['5', 'a b;c', '']);
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
