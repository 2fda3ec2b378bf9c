// Loads the page script with small stand-ins for the elements the calendar
// view reaches by id: the 42 cells, the heading, the watermark, the pop-up
// layer, form CLD with its two selectors, the body and the event; and the
// holidays' badges, notices and check box; the own days' marks, notice and
// countdown; the almanac's panel, with its parts by name, and check box.
import { loadPage } from '../load.mjs';

class FakeElement {
  constructor(html = ' ') {
    const classes = new Set();
    Object.assign(this, { html, className: '', style: {}, classes,
      classList: { add: (c) => classes.add(c), remove: (c) => classes.delete(c), toggle: (c, on) => (on ? classes.add(c) : classes.delete(c)) } });
  }
  // Like the DOM, innerHTML always reads back as text.
  get innerHTML() { return this.html; }
  set innerHTML(value) { this.html = String(value); }
}

// The panel answers querySelectorAll with its named parts; `parts` gives
// their texts by name.
function almanacPanel() {
  const names = ['date', 'yi', 'ji', 'chongSha', 'tianShen', 'dao', 'jianChu', 'xiu', 'pengZu', 'naYin', 'taiShen', 'jiShen', 'xiongSha'];
  const parts = names.map((part) => ({ dataset: { part }, textContent: '' }));
  return Object.defineProperty(Object.assign(new FakeElement(''), { querySelectorAll: () => parts }), 'parts',
    { get: () => Object.fromEntries(parts.map((p) => [p.dataset.part, p.textContent])) });
}

// Noon of a local date: the same calendar day in every time zone.
export const localNoon = (y, m, d) => new Date(y, m, d, 12).getTime();

// now: the page's load time (ms); only: see loadPage (the engine and the view
// by default); globals: more globals. start: do what initialize() does for the
// calendar (the style handle, the selectors on the load month, the first drawing).
export function loadView({ now, globals: more, start = false,
  only = ['view/', 'calendar/', 'frame/today.js', 'worldclock/host-zones.js'] } = {}) {
  const globals = {
    GZ: new FakeElement(''), YMBG: new FakeElement('&nbsp;0000<BR>&nbsp;JUN'), detail: new FakeElement(''),
    CLD: { SY: { selectedIndex: 0 }, SM: { selectedIndex: 0 } }, document: { body: { scrollLeft: 0, scrollTop: 0 } },
    event: { x: 0, y: 0 }, HN: new FakeElement(''), HE: new FakeElement(''), HB: { checked: true },
    OE: new FakeElement(''), CD: new FakeElement(''), AB: { checked: true }, almanac: almanacPanel(),
  };
  for (let n = 0; n < 42; n++) {
    for (const id of ['GD', 'SD', 'LD']) globals[id + n] = new FakeElement();
    for (const id of ['HD', 'OM']) globals[id + n] = new FakeElement('');
  }
  const page = loadPage({ now, only, globals: { ...globals, ...more } });
  if (start) {
    page.dStyle = page.detail.style;
    Object.assign(page.CLD, { SY: { selectedIndex: page.tY - 1900 }, SM: { selectedIndex: page.tM } });
    page.drawCld(page.tY, page.tM);
  }
  return page;
}
