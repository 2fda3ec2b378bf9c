// The month grid: weekend colours, headings, and today's mark, drawn by
// drawCld from the real month model.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { loadView, localNoon } from './fake-page.mjs';

test('weekends red; headings change era on the last years of each era; today\'s mark comes back with its month', () => {
  const page = loadView({ now: localNoon(2003, 1, 14), start: true });
  const colours = [0, 6, 7, 13, 35, 41, 1, 3, 5, 40].map((n) => (page.gridCell(n).match(/ color=(\w+)/) || [])[1]);
  assert.deepEqual(colours, [...Array(6).fill('red'), ...Array(4).fill(undefined)]);
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
