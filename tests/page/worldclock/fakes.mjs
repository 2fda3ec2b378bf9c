// Stand-ins for the parts of the browser the world clock touches.
import { loadPage } from '../load.mjs';

export class Option {
  constructor(text) { this.text = text; }
}

// A one-line select as the DOM has it: selectedIndex takes number-like text
// and names no option (-1) when out of range; options[length] = x appends;
// options[i] = null removes; the first option added becomes the selected one.
export function fakeSelect() {
  const list = [];
  let selected = -1;
  const options = new Proxy(list, {
    set(target, prop, value) {
      if (!/^\d+$/.test(String(prop))) return Reflect.set(target, prop, value);
      const i = Number(prop);
      if (value !== null) target[i] = value;
      else if (i < target.length) target.splice(i, 1);
      if (value !== null && selected === -1) selected = 0;
      if (value === null && selected >= target.length) selected = target.length - 1;
      return true;
    },
  });
  return {
    options,
    texts: () => list.map((o) => o.text),
    get selectedIndex() { return selected; },
    set selectedIndex(v) { const n = Math.trunc(Number(v)) || 0; selected = n >= 0 && n < list.length ? n : -1; },
  };
}

// document.cookie: each assignment sets one cookie; reading gives "a=1; b=2".
export function fakeCookies(initial = {}) {
  const jar = new Map(Object.entries(initial));
  const written = [];
  return {
    written,
    get cookie() { return [...jar].map(([k, v]) => `${k}=${v}`).join('; '); },
    set cookie(text) { written.push(text); const [k, v] = text.split(';')[0].split('='); jar.set(k, v); },
  };
}

// The column's elements, a timer that records what it is asked to run, and
// the weekday characters in case the calendar's tables are not loaded.
export function fakeColumn() {
  const timers = [];
  const globals = {
    nStr1: [...'日一二三四五六七八九十'],
    Option,
    LocalTime: {}, GlobeTime: {}, City: {},
    world: { style: { left: '0px' } },
    window: { setTimeout: (code, delay) => timers.push([code, delay]) },
  };
  return { timers, globals };
}

export const clockPieces = ['calendar/cycle-tables.js', 'worldclock/'];

// The clock's part of the page at a fixed time, with the continent menu
// filled the way the start-up fills it; `globals` adds to the page's (the
// host's hostZones).
export function loadClock(now, globals = {}) {
  const column = fakeColumn();
  const page = loadPage({ now, only: clockPieces, globals: { ...column.globals, ...globals } });
  page.objContinentMenu = fakeSelect();
  page.objCountryMenu = fakeSelect();
  for (const key of Object.keys(page.timeData)) page.objContinentMenu.options[page.objContinentMenu.options.length] = new Option(key);
  return { page, timers: column.timers };
}
