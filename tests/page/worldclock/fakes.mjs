// Stand-ins for the parts of the browser the world clock touches.
import { loadPage } from '../load.mjs';

export class Option {
  constructor(text) { this.text = text; }
}

// A one-line select: options[length] = x appends, options[i] = null removes.
export function fakeSelect() {
  const list = [];
  const options = new Proxy(list, {
    set: (target, i, value) => (value === null ? target.splice(Number(i), 1) : (target[i] = value), true),
  });
  return { options, selectedIndex: -1, texts: () => list.map((o) => o.text) };
}

// document.cookie: each assignment sets one cookie; reading gives "a=1; b=2".
export function fakeCookies(initial = {}) {
  const jar = new Map(Object.entries(initial)), written = [];
  return {
    written,
    get cookie() { return [...jar].map(([k, v]) => `${k}=${v}`).join('; '); },
    set cookie(text) { written.push(text); const [k, v] = text.split(';')[0].split('='); jar.set(k, v); },
  };
}

export const clockPieces = ['calendar/cycle-tables.js', 'worldclock/'];

// The clock's part of the page at a fixed time, with its column's elements
// and a timer that records what it is asked to run; `globals` adds to them.
// withMenus: the continent menu filled as the start-up fills it.
export function loadClock(now, globals = {}, { withMenus = true, only = clockPieces } = {}) {
  const timers = [];
  const page = loadPage({ now, only, globals: {
    Option, LocalTime: {}, GlobeTime: {}, City: {}, world: { style: { left: '0px' } },
    window: { setTimeout: (code, delay) => timers.push([code, delay]) }, ...globals } });
  if (withMenus) {
    page.objContinentMenu = fakeSelect();
    page.objCountryMenu = fakeSelect();
    for (const key of Object.keys(page.timeData)) page.objContinentMenu.options[page.objContinentMenu.options.length] = new Option(key);
  }
  return { page, timers };
}

const MARK = "<SPAN STYLE='font-size:12pt;font-family:Wingdings; color:Red;'>R</span> ";

// The zone clock of country c of continent a at `now`, one tick after setTZ.
export function clockAt(a, c, now, globals) {
  const { page, timers } = loadClock(now, globals);
  page.setTZ(a, c);
  page.tick();
  const marked = page.City.innerHTML.startsWith(MARK);
  return { page, timers, text: page.GlobeTime.innerHTML, marked, local: page.LocalTime.innerHTML };
}
