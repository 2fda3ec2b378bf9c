// The month grid: weekend colours, headings, and whole months drawn by
// drawCld from the real month model.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { loadView, startView, cell, localNoon, calendarOnly } from './fake-page.mjs';

function drawn(y, m, now = localNoon(2003, 1, 14)) {
  const page = loadView({ now, only: calendarOnly });
  startView(page);
  page.drawCld(y, m);
  return page;
}

test('the Sunday and Saturday colours of the cells', () => {
  const page = loadView({ only: ['view/'] });
  const colour = (n) => (page.gridCell(n).match(/ color=(\w+)/) || [])[1];
  const saturdays = () => [6, 13, 20, 27, 34, 41].map(colour);
  assert.deepEqual([0, 7, 35].map(colour), ['red', 'red', 'red']);
  assert.deepEqual([1, 3, 5, 40].map(colour), [undefined, undefined, undefined, undefined]);
  assert.deepEqual(saturdays(), Array(6).fill('red'));
  const expected = { 1: 'black', 2: 'green', 3: 'red' };
  for (const value of [1, 2, 3]) {
    page.conWeekend = value;
    assert.deepEqual(saturdays(), Array(6).fill(expected[value]), `conWeekend ${value}`);
  }
  page.conWeekend = 4;
  assert.deepEqual(saturdays(), ['green', 'red', 'green', 'red', 'green', 'red']);
});

test('headings change era on the last years of each era, in every month', () => {
  const page = drawn(2003, 0);
  const headings = {
    1908: '光绪34年 农历 戊申年 【猴年】',
    1911: '宣统3年 农历 辛亥年 【猪年】',
    1948: '民国37年 农历 戊子年 【鼠年】',
    1949: '建国元年 农历 己丑年 【牛年】',
  };
  for (const [year, heading] of Object.entries(headings)) {
    for (const month of [0, 1, 11]) {
      page.drawCld(Number(year), month);
      assert.equal(page.GZ.innerHTML, heading, `${year}-${month + 1}`);
    }
  }
  assert.equal(page.YMBG.innerHTML, '&nbsp;1949<BR>&nbsp;DEC');
});

test('today\'s mark follows the load date and comes back with its month', () => {
  const page = drawn(2003, 1, localNoon(2003, 1, 14));
  const marked = () => Array.from({ length: 42 }, (_, n) => cell(page, n))
    .filter((c) => c.sd.className === 'todyaColor').map((c) => c.number);
  assert.deepEqual(marked(), ['14']);
  page.drawCld(2003, 2);
  assert.deepEqual(marked(), []);
  page.drawCld(2004, 1);
  assert.deepEqual(marked(), []);
  page.drawCld(2003, 1);
  assert.deepEqual(marked(), ['14']);
});
