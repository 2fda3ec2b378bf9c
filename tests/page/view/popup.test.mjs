// The day pop-up: the day without a lunar date, where the layer stands, and
// the blank cells.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { loadView, localNoon } from './fake-page.mjs';

const started = (y, m) => loadView({ now: localNoon(y, m, 1), start: true });
// The pop-up's lines for day d, tags dropped, festival block left out.
function pointAt(page, d, pointer = { x: 300, y: 200 }) {
  page.event = pointer;
  page.mEvn();
  page.mOvr(page.cld.firstWeek + d - 1);
  return page.detail.innerHTML.replace(/<TABLE WIDTH=100% BORDER=0 CELLPADDING=2 .*$/, '').split('<BR>').map((l) => l.replace(/<[^>]*>/g, ''));
}

test('January 1900 is in the last lunar month of 1899; a term shows its Beijing time', () => {
  const page = started(1900, 0);
  assert.deepEqual(pointAt(page, 2), ['1900 年 1 月 2 日', '星期二', '农历 12 月 2 日', '己亥年 丙子月 乙亥日']);
  page.drawCld(2026, 11);
  assert.match(page.popupText(page.cld[21]), />冬至 04:50 /);
});

test('the pop-up opens 63 left of and 8 below the pointer, scrolled, follows it, and is not rebuilt for the same day', () => {
  const page = started(2003, 8), writes = [];
  Object.assign(page.document.body, { scrollLeft: 40, scrollTop: 500 });
  Object.defineProperty(page.detail, 'innerHTML', { get: () => writes.at(-1), set: (v) => writes.push(v) });
  const style = page.detail.style, cell = page['SD' + (page.cld.firstWeek + 10)];
  const shown = () => [writes.length, style.visibility, style.left, style.top, cell.style.cursor];
  pointAt(page, 11, { x: 100, y: 20 });
  assert.deepEqual(shown(), [1, 'visible', '77px', '528px', 's-resize']);
  assert.match(pointAt(page, 12, { x: 110, y: 30 })[0], /2003 年 9 月 12 日/); // another day: only the content changes
  page.mOvr(page.cld.firstWeek + 11);
  page.mOut();
  page.event = { x: 400, y: 400 };
  page.mEvn();
  assert.deepEqual(shown(), [2, 'hidden', '87px', '538px', 's-resize']);
});

test('nothing over a blank cell', () => {
  const page = started(2003, 8); // 1 September 2003 is a Monday: cell 0 is blank
  page.mOvr(0);
  assert.deepEqual([page.detail.innerHTML, page.detail.style.visibility], ['', undefined]);
});
