// The month grid: weekend colours, headings, and today's mark, drawn by
// drawCld from the real month model.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { loadView, localNoon } from './fake-page.mjs';

test('weekends red; headings change era on the last years of each era; today\'s mark comes back with its month', () => {
  const page = loadView({ now: localNoon(2003, 1, 14), start: true });
  const colours = [0, 6, 7, 13, 35, 41, 1, 3, 5, 40].map((n) => (page.gridCell(n).match(/ color=(\w+)/) || [])[1]);
  assert.deepEqual(colours, [...Array(6).fill('red'), ...Array(4).fill(undefined)]);
  // Each heading is the year's from January, before the lunar new year, to December.
  const headings = { '1908-11': '光绪34年 农历 戊申年 【猴年】', '1911-0': '宣统3年 农历 辛亥年 【猪年】',
    '1948-11': '民国37年 农历 戊子年 【鼠年】', '1949-0': '建国元年 农历 己丑年 【牛年】', '1949-11': '建国元年 农历 己丑年 【牛年】' };
  for (const [date, heading] of Object.entries(headings)) {
    page.drawCld(...date.split('-').map(Number));
    assert.equal(page.GZ.innerHTML, heading, date);
  }
  assert.equal(page.YMBG.innerHTML, '&nbsp;1949<BR>&nbsp;DEC');
  const marked = (y, m) => {
    page.drawCld(y, m);
    return Array.from({ length: 42 }, (_, n) => page['SD' + n]).filter((sd) => sd.className === 'todyaColor').map((sd) => sd.innerHTML);
  };
  assert.deepEqual([marked(2003, 1), marked(2003, 2), marked(2004, 1), marked(2003, 1)], [['14'], [], [], ['14']]);
});
