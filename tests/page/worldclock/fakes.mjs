// Small stand-ins for the parts of the browser the world clock touches, and a
// loader for the clock's part of the page script.
import { loadPage } from '../load.mjs';

// The weekday characters, for when the calendar's tables are not loaded yet;
// the page's own nStr1 replaces these as soon as it is defined.
const weekdayChars = ['日', '一', '二', '三', '四', '五', '六', '七', '八', '九', '十'];

export class Option {
  constructor(text) { this.text = text; }
}

// A one-line select as the DOM has it: selectedIndex takes any number-like
// value and deselects everything when it names no option; assigning to
// options[options.length] appends; assigning null to options[i] removes it;
// a select that gains its first option selects it.
export function fakeSelect() {
  const list = [];
  let selected = -1;
  const options = new Proxy(list, {
    set(target, prop, value) {
      if (typeof prop !== 'string' || !/^\d+$/.test(prop)) { target[prop] = value; return true; }
      const i = Number(prop);
      if (value === null) {
        if (i < target.length) {
          target.splice(i, 1);
          if (selected === i) selected = target.length ? 0 : -1;
          else if (selected > i) selected -= 1;
        }
      } else if (i >= target.length) {
        target.push(value);
        if (selected === -1) selected = 0;
      } else {
        target[i] = value;
      }
      return true;
    },
  });
  return {
    options,
    get selectedIndex() { return selected; },
    set selectedIndex(value) {
      const n = Math.trunc(Number(value)) || 0;
      selected = n >= 0 && n < list.length ? n : -1;
    },
    texts() { return list.map((o) => o.text); },
  };
}

// document.cookie as a browser keeps it: each assignment sets one cookie
// (attributes after the first ";" are remembered but not shown); reading gives
// "name=value; name=value".
export function fakeCookies(initial = {}) {
  const jar = new Map(Object.entries(initial));
  const written = [];
  return {
    written,
    jar,
    get cookie() { return [...jar].map(([k, v]) => `${k}=${v}`).join('; '); },
    set cookie(text) {
      written.push(text);
      const pair = text.split(';')[0];
      const eq = pair.indexOf('=');
      jar.set(pair.slice(0, eq), pair.slice(eq + 1));
    },
  };
}

// The column's elements and the two menus, as globals for loadPage.
export function fakeColumn() {
  const timers = [];
  return {
    timers,
    globals: {
      nStr1: weekdayChars,
      Option,
      LocalTime: { innerHTML: '0000年0月0日(　)午 00:00:00' },
      GlobeTime: { innerHTML: '0000年0月0日(　)午 00:00:00' },
      City: { innerHTML: '中国' },
      world: { style: { left: '0px' } },
      window: { setTimeout: (code, delay) => { timers.push([code, delay]); return timers.length; } },
    },
  };
}

export const clockPieces = ['calendar/cycle-tables.js', 'worldclock/'];

// The clock's part of the page with a fixed current time and a fake column;
// the continent menu is filled from timeData the way the start-up fills it.
export function loadClock(now) {
  const column = fakeColumn();
  const page = loadPage({ now, only: clockPieces, globals: column.globals });
  page.objContinentMenu = fakeSelect();
  page.objCountryMenu = fakeSelect();
  for (const continent of Object.keys(page.timeData)) {
    page.objContinentMenu.options[page.objContinentMenu.options.length] = new Option(continent);
  }
  return { page, timers: column.timers };
}
