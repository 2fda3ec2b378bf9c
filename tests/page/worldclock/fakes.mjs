// Stand-ins for the parts of the browser the world clock touches.
import { loadPage } from '../load.mjs';

class Option { constructor(text) { this.text = text; } }

// A one-line select: options[length] = x appends, options[i] = null removes.
function fakeSelect() {
  const list = [];
  const set = (target, i, value) => (value === null ? target.splice(Number(i), 1) : (target[i] = value), true);
  return { options: new Proxy(list, { set }), selectedIndex: -1, texts: () => list.map((o) => o.text) };
}

// The clock's part of the page at a fixed time, started as the page's load
// starts it, with the zone remembered in the cookies of `jar` (document.cookie
// reads "TZ1=3; TZ2=5"); the calendar's side and the timer record what they
// are asked to do. `globals` adds to them.
export function loadClock(now, jar = {}, globals = {}) {
  const timers = [], drawn = [], cookie = Object.entries(jar).map(([k, v]) => `${k}=${v}`).join('; ');
  const document = { cookie, WorldClock: { continentMenu: fakeSelect(), countryMenu: fakeSelect() } };
  const page = loadPage({ now, only: ['calendar/cycle-tables.js', 'worldclock/', 'frame/startup.js'], globals: {
    Option, LocalTime: {}, GlobeTime: {}, City: {}, TN: {}, world: { style: { left: '0px' } }, document,
    window: { setTimeout: (code, delay) => timers.push([code, delay]) }, detail: { style: {} }, CLD: { SY: {}, SM: {} },
    tY: 2003, tM: 5, todayNote: '', drawCld: (y, m) => drawn.push([y, m]), startHolidays() {}, startAlmanac() {}, useOwnDays() {},
    map: { filters: { Light: { Clear() {}, addAmbient() {}, addCone() {} } } }, ...globals } });
  page.initialize();
  const marked = /^<SPAN [^>]*Wingdings[^>]*>R<\/span> /.test(page.City.innerHTML);
  return { page, timers, drawn, marked, text: page.GlobeTime.innerHTML, local: page.LocalTime.innerHTML };
}
