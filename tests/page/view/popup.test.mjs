// The day pop-up: the day without a lunar date, where the layer stands, and
// pointer events that come before the page has started.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { loadView, startView, localNoon, calendarOnly } from './fake-page.mjs';

function started(y, m) {
  const page = loadView({ now: localNoon(y, m, 1), only: calendarOnly });
  startView(page);
  return page;
}

// The pop-up as text: its lines (tags dropped, <BR> between lines) and the
// festival block's text, or null when there is none.
function popupOf(html) {
  const block = html.match(/BGCOLOR="#CCFFCC"><TR><TD><FONT[^>]*>(.*?)<\/FONT>/);
  const head = html.replace(/<TABLE WIDTH=100% BORDER=0 CELLPADDING=2 .*$/, '');
  const lines = head.split('<BR>').map((l) => l.replace(/<[^>]*>/g, ''));
  return { lines, festival: block ? block[1] : null };
}

function pointAt(page, d, pointer = { x: 300, y: 200 }) {
  page.event = pointer;
  page.mEvn();
  page.mOvr(page.cld.firstWeek + d - 1);
  return popupOf(page.detail.innerHTML);
}

test('January 1900 leaves out the lunar line', () => {
  const page = started(1900, 0);
  assert.deepEqual(pointAt(page, 2).lines, ['1900 年 1 月 2 日', '星期二', '己亥年 丙子月 乙亥日']);
  assert.deepEqual(pointAt(page, 31).lines.length, 3);
  page.drawCld(1900, 1);
  page.mOut();
  assert.equal(pointAt(page, 1).lines[2], '农历 1 月 2 日');
});

test('the pop-up opens 63 left of and 8 below the pointer, scrolled or not, and follows it', () => {
  const page = started(2003, 8);
  page.document.body.scrollLeft = 40;
  page.document.body.scrollTop = 500;
  pointAt(page, 11, { x: 100, y: 20 });
  assert.deepEqual(page.detail.style, { left: '77px', top: '528px', visibility: 'visible' });
  assert.equal(page.snow, 1);
  page.event = { x: 110, y: 30 };
  page.mEvn();
  assert.deepEqual([page.detail.style.left, page.detail.style.top], ['87px', '538px']);
  // Crossing into another day only changes the content.
  page.mOvr(page.cld.firstWeek + 11);
  assert.match(page.detail.innerHTML, /2003 年 9 月 12 日/);
  assert.deepEqual([page.detail.style.left, page.detail.style.top], ['87px', '538px']);
  assert.equal(page['SD' + (page.cld.firstWeek + 10)].style.cursor, 's-resize');
  page.mOut();
  assert.equal(page.detail.style.visibility, 'hidden');
  assert.equal(page.snow, 0);
  page.event = { x: 400, y: 400 };
  page.mEvn();
  assert.deepEqual([page.detail.style.left, page.detail.style.top], ['87px', '538px']);
});

test('nothing over a blank cell, and no festival block on a plain day', () => {
  const page = started(2003, 8); // 1 September 2003 is a Monday: cell 0 is blank
  assert.equal(pointAt(page, 3).festival, null);
  page.mOut();
  page.detail.innerHTML = '';
  page.mOvr(0);
  assert.deepEqual([page.snow, page.detail.innerHTML, page.detail.style.visibility], [0, '', 'hidden']);
});

test('pointer events before start-up are ignored', () => {
  const page = loadView({ now: localNoon(2003, 8, 11), only: calendarOnly });
  assert.equal(page.document.onmousemove, page.mEvn);
  page.event = { x: 10, y: 10 };
  page.mEvn();
  page.mOvr(10);
  page.mOut();
  assert.deepEqual([page.snow, page.detail.innerHTML, page.detail.style], [0, '', {}]);
});

test('pointing again at the day shown does not rebuild the pop-up', () => {
  const page = started(2003, 8);
  const writes = [];
  const set = Object.getOwnPropertyDescriptor(Object.getPrototypeOf(page.detail), 'innerHTML').set;
  Object.defineProperty(page.detail, 'innerHTML', {
    get() { return this.html; },
    set(v) { writes.push(v); set.call(this, v); },
  });
  const day = (d) => page.cld.firstWeek + d - 1;
  page.mOvr(day(11));
  page.mOut();
  page.mOvr(day(11));
  page.mOvr(day(12));
  page.mOvr(day(11));
  assert.equal(writes.length, 3);
  assert.match(writes[2], /2003 年 9 月 11 日/);
});
