// The month grid: weekend colours, headings, and today's mark, drawn by
// drawCld from the real month model.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { loadView, startView, localNoon, calendarOnly } from './fake-page.mjs';

test('the Sunday and Saturday colours of the cells', () => {
  const page = loadView({ only: ['view/'] });
  const colours = (cells) => cells.map((n) => (page.gridCell(n).match(/ color=(\w+)/) || [])[1]);
  const saturdays = [6, 13, 20, 27, 34, 41];
  assert.deepEqual(colours([0, 7, 35, 1, 3, 5, 40]), ['red', 'red', 'red', undefined, undefined, undefined, undefined]);
  assert.deepEqual(colours(saturdays), Array(6).fill('red'));
  const expected = { 1: 'black', 2: 'green', 3: 'red' };
  for (const value of [1, 2, 3]) {
    page.conWeekend = value;
    assert.deepEqual(colours(saturdays), Array(6).fill(expected[value]), `conWeekend ${value}`);
  }
  page.conWeekend = 4;
  assert.deepEqual(colours(saturdays), ['green', 'red', 'green', 'red', 'green', 'red']);
});

test('headings change era on the last years of each era; today\'s mark comes back with its month', () => {
  const page = loadView({ now: localNoon(2003, 1, 14), only: calendarOnly });
  startView(page);
  const headings = { 1908: '光绪34年 农历 戊申年 【猴年】', 1911: '宣统3年 农历 辛亥年 【猪年】',
    1948: '民国37年 农历 戊子年 【鼠年】', 1949: '建国元年 农历 己丑年 【牛年】' };
  for (const [year, heading] of Object.entries(headings)) {
    for (const month of [0, 1, 11]) {
      page.drawCld(Number(year), month);
      assert.equal(page.GZ.innerHTML, heading, `${year}-${month + 1}`);
    }
  }
  assert.equal(page.YMBG.innerHTML, '&nbsp;1949<BR>&nbsp;DEC');
  const marked = (y, m) => {
    page.drawCld(y, m);
    return Array.from({ length: 42 }, (_, n) => page['SD' + n]).filter((sd) => sd.className === 'todyaColor').map((sd) => sd.innerHTML);
  };
  assert.deepEqual([marked(2003, 1), marked(2003, 2), marked(2004, 1), marked(2003, 1)], [['14'], [], [], ['14']]);
});
