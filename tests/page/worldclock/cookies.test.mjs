import { test } from 'node:test';
import assert from 'node:assert/strict';
import { loadPage } from '../load.mjs';
import { clockPieces, fakeColumn, fakeCookies, fakeSelect } from './fakes.mjs';

const NOW = Date.UTC(2003, 5, 6, 12, 0, 0);
const EXPIRES = '; expires=Sat, 05 Jun 2004 12:00:00 GMT';

test('cookies: escaped values that expire 365 days on, found anywhere in the cookie text', () => {
  const document = fakeCookies();
  const page = loadPage({ now: NOW, only: ['worldclock/cookies.js'], globals: { document } });
  page.setCookie('TZ1', 5);
  page.setCookie('TZ2', 'a b;c');
  assert.deepEqual(document.written, [`TZ1=5${EXPIRES}`, `TZ2=a%20b%3Bc${EXPIRES}`]);
  assert.deepEqual(['TZ1', 'TZ2', 'TZ3'].map(page.getCookie), ['5', 'a b;c', '']);
  const read = (text) => { page.document = { cookie: text }; return page.getCookie('TZ1'); };
  assert.deepEqual(['', 'TZ2=7', 'TZ2=17; TZ1=4', 'TZ1=; TZ2=3'].map(read), ['', '', '4', '']);
});

// The page's own start and stop over a fake column, form and cookie jar.
function startPage(document) {
  const column = fakeColumn();
  const drawn = [];
  const lights = [];
  document.WorldClock = { continentMenu: fakeSelect(), countryMenu: fakeSelect() };
  const page = loadPage({
    now: NOW,
    only: [...clockPieces, 'startup.js'],
    globals: {
      ...column.globals,
      document,
      map: { filters: { Light: new Proxy({}, { get: (_, name) => (...args) => lights.push([name, ...args]) }) } },
      detail: { style: {} },
      CLD: { SY: {}, SM: {} },
      tY: 2003,
      tM: 5,
      drawCld: (y, m) => drawn.push([y, m]),
    },
  });
  page.initialize();
  const { continentMenu, countryMenu } = document.WorldClock;
  const shown = [continentMenu.selectedIndex, countryMenu.selectedIndex, page.City.innerHTML];
  return { page, drawn, lights, timers: column.timers, menus: document.WorldClock, shown };
}

test('first start without cookies: Asia, China, the lit map at -80, the clock and the calendar running', () => {
  const { page, drawn, lights, timers, menus, shown } = startPage(fakeCookies());
  assert.equal(menus.continentMenu.texts().length, 10);
  assert.deepEqual(shown, [0, 3, '北京、重庆、上海、天津']);
  assert.equal(page.world.style.left, '-80px');
  assert.deepEqual(lights.map(([name]) => name), ['Clear', 'addAmbient', 'addCone']);
  assert.deepEqual([timers, drawn], [[['tick()', 1000]], [[2003, 5]]]);
});

test('the chosen zone is stored as bare indexes on unload and restored at the next start', () => {
  const document = fakeCookies();
  const { page, menus } = startPage(document);
  menus.continentMenu.selectedIndex = 6;
  page.chContinent();
  menus.countryMenu.selectedIndex = 10;
  page.chCountry();
  page.terminate();
  assert.deepEqual(document.written, [`TZ1=6${EXPIRES}`, `TZ2=10${EXPIRES}`]);
  assert.deepEqual(startPage(document).shown, [6, 10, '亚历桑那']);
});

test('a bad remembered zone still starts the clock and the calendar, on Asia, China', () => {
  const jars = [{ TZ1: 'abc', TZ2: '1' }, { TZ1: '-1', TZ2: '3' }, { TZ1: '12', TZ2: '0' },
    { TZ1: '5' }, { TZ1: '2', TZ2: '9' }, { TZ2: '7' }];
  for (const jar of jars) {
    const { drawn, timers, shown } = startPage(fakeCookies(jar));
    assert.deepEqual([shown, timers.length, drawn], [[0, 3, '北京、重庆、上海、天津'], 1, [[2003, 5]]], JSON.stringify(jar));
  }
});
