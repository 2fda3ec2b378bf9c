import { test } from 'node:test';
import assert from 'node:assert/strict';
import { loadPage } from '../load.mjs';
import { clockPieces, fakeColumn, fakeCookies, fakeSelect } from './fakes.mjs';

const NOW = Date.UTC(2003, 5, 6, 12, 0, 0);

function loadCookies(document) {
  return loadPage({ now: NOW, only: ['worldclock/cookies.js'], globals: { document } });
}

test('setCookie writes the escaped value with an expiry 365 days on', () => {
  const document = fakeCookies();
  const page = loadCookies(document);
  page.setCookie('TZ1', 5);
  page.setCookie('TZ2', 'a b;c');
  assert.deepEqual(document.written, [
    'TZ1=5; expires=Sat, 05 Jun 2004 12:00:00 GMT',
    'TZ2=a%20b%3Bc; expires=Sat, 05 Jun 2004 12:00:00 GMT',
  ]);
});

test('getCookie finds a value anywhere in the cookie text and unescapes it', () => {
  const read = (text, name) => loadCookies({ cookie: text }).getCookie(name);
  assert.equal(read('', 'TZ1'), '');
  assert.equal(read('TZ2=7', 'TZ1'), '');
  assert.equal(read('TZ1=4; TZ2=17', 'TZ1'), '4');
  assert.equal(read('TZ1=4; TZ2=17', 'TZ2'), '17');
  assert.equal(read('TZ2=a%20b%3Bc; TZ1=0', 'TZ2'), 'a b;c');
  assert.equal(read('TZ1=; TZ2=3', 'TZ1'), '');
});

// The whole page start and stop with a fake column, form and cookie jar, so
// that the remembered zone goes through initialize() and terminate() as in
// the browser.
function startPage(document) {
  const column = fakeColumn();
  const lights = [];
  const drawn = [];
  const light = new Proxy({}, { get: (_, name) => (...args) => lights.push([name, ...args]) });
  document.WorldClock = { continentMenu: fakeSelect(), countryMenu: fakeSelect() };
  const page = loadPage({
    now: NOW,
    only: [...clockPieces, 'startup.js'],
    globals: {
      ...column.globals,
      document,
      map: { filters: { Light: light } },
      detail: { style: {} },
      CLD: { SY: {}, SM: {} },
      tY: 2003,
      tM: 5,
      drawCld: (y, m) => drawn.push([y, m]),
    },
  });
  page.initialize();
  return { page, drawn, lights, timers: column.timers, menus: document.WorldClock };
}

const choice = (menus) => [menus.continentMenu.selectedIndex, menus.countryMenu.selectedIndex];

test('the first start without cookies opens on Asia, China and draws the calendar', () => {
  const { page, drawn, lights, timers, menus } = startPage(fakeCookies());
  assert.equal(menus.continentMenu.texts().length, 10);
  assert.deepEqual(choice(menus), [0, 3]);
  assert.equal(page.world.style.left, '-80px');
  assert.deepEqual(timers, [['tick()', 1000]]);
  assert.deepEqual(drawn, [[2003, 5]]);
  assert.deepEqual(lights.map(([name]) => name), ['Clear', 'addAmbient', 'addCone']);
});

test('the chosen zone survives closing and starting again', () => {
  const document = fakeCookies();
  const first = startPage(document);
  first.menus.continentMenu.selectedIndex = 6;
  first.page.chContinent();
  first.menus.countryMenu.selectedIndex = 10;
  first.page.chCountry();
  first.page.terminate();
  assert.deepEqual(document.written, [
    'TZ1=6; expires=Sat, 05 Jun 2004 12:00:00 GMT',
    'TZ2=10; expires=Sat, 05 Jun 2004 12:00:00 GMT',
  ]);
  const second = startPage(document);
  assert.deepEqual(choice(second.menus), [6, 10]);
  assert.equal(second.page.City.innerHTML, '亚历桑那');
});

test('a bad remembered zone still starts the clock and the calendar, on Asia, China', () => {
  const jars = [{ TZ1: 'abc', TZ2: '1' }, { TZ1: '-1', TZ2: '3' }, { TZ1: '12', TZ2: '0' },
    { TZ1: '5' }, { TZ1: '2', TZ2: '9' }, { TZ2: '7' }];
  for (const jar of jars) {
    const { page, drawn, timers, menus } = startPage(fakeCookies(jar));
    const label = JSON.stringify(jar);
    assert.deepEqual(choice(menus), [0, 3], label);
    assert.equal(page.City.innerHTML, '北京、重庆、上海、天津', label);
    assert.equal(timers.length, 1, label);
    assert.deepEqual(drawn, [[2003, 5]], label);
  }
});
