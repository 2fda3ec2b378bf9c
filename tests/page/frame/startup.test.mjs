import { test } from 'node:test';
import assert from 'node:assert/strict';
import { loadPage } from '../load.mjs';

// A page with the frame's script only; every function the start-up calls from
// the other pieces is a recorder, so the order of the steps can be read back.
function startupPage(cookies) {
  const calls = [];
  const record = (name) => (...args) => { calls.push([name, ...args]); };
  const menu = (name) => {
    const m = { name, selectedIndex: -1, options: [] };
    return m;
  };
  const continentMenu = menu('continent');
  const countryMenu = menu('country');
  const light = { Clear: record('Clear'), addAmbient: record('addAmbient'), addCone: record('addCone') };
  const detailStyle = {};
  const SY = {}, SM = {};
  let syIndex = -1, smIndex = -1;
  Object.defineProperty(SY, 'selectedIndex', { get: () => syIndex, set: (v) => { syIndex = v; calls.push(['SY', v]); } });
  Object.defineProperty(SM, 'selectedIndex', { get: () => smIndex, set: (v) => { smIndex = v; calls.push(['SM', v]); } });
  const page = loadPage({
    only: ['frame/today.js', 'frame/startup.js'],
    now: Date.UTC(2003, 6, 1, 12),
    globals: {
      document: { WorldClock: { continentMenu, countryMenu } },
      map: { filters: { Light: light } },
      detail: { style: detailStyle },
      CLD: { SY, SM },
      timeData: { Asia: {}, Europe: {}, Africa: {} },
      Option: function Option(text) { this.text = text; },
      getCookie: (name) => { calls.push(['getCookie', name]); return cookies[name] ?? ''; },
      setCookie: record('setCookie'),
      setTZ: record('setTZ'),
      tick: record('tick'),
      drawCld: record('drawCld'),
    },
  });
  return { page, calls, continentMenu, countryMenu, detailStyle };
}

test('today is the local date of the load moment', () => {
  const page = loadPage({ only: ['frame/today.js'], now: Date.UTC(2003, 11, 31, 23, 30) });
  const local = new Date(Date.UTC(2003, 11, 31, 23, 30));
  assert.deepEqual([page.tY, page.tM, page.tD], [local.getFullYear(), local.getMonth(), local.getDate()]);
  assert.equal(page.Today.getTime(), local.getTime());
});

test('initialize runs the clock steps, then the pop-up handle, the selectors and the month', () => {
  const { page, calls, continentMenu, countryMenu, detailStyle } = startupPage({ TZ1: '4', TZ2: '7' });
  page.initialize();
  const y = page.tY, m = page.tM;
  assert.deepEqual(calls, [
    ['Clear'],
    ['addAmbient', 255, 255, 255, 60],
    ['addCone', 120, 60, 80, 120, 60, 255, 255, 255, 120, 60],
    ['getCookie', 'TZ1'],
    ['getCookie', 'TZ2'],
    ['setTZ', '4', '7'],
    ['tick'],
    ['SY', y - 1900],
    ['SM', m],
    ['drawCld', y, m],
  ]);
  assert.deepEqual(continentMenu.options.map((o) => o.text), ['Asia', 'Europe', 'Africa']);
  assert.equal(page.objContinentMenu, continentMenu);
  assert.equal(page.objCountryMenu, countryMenu);
  assert.equal(page.dStyle, detailStyle);
});

test('without a remembered continent the clock opens on Asia, China, whatever TZ2 holds', () => {
  for (const cookies of [{}, { TZ2: '9' }, { TZ1: '', TZ2: '9' }]) {
    const { page, calls } = startupPage(cookies);
    page.initialize();
    assert.deepEqual(calls.find((c) => c[0] === 'setTZ'), ['setTZ', 0, 3]);
  }
});

test('terminate remembers the continent and then the country index', () => {
  const { page, calls, continentMenu, countryMenu } = startupPage({});
  page.initialize();
  continentMenu.selectedIndex = 2;
  countryMenu.selectedIndex = 5;
  calls.length = 0;
  page.terminate();
  assert.deepEqual(calls, [['setCookie', 'TZ1', 2], ['setCookie', 'TZ2', 5]]);
});
