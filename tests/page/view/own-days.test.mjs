// Days of one's own in the grid: the mark, the pop-up line, the cell's name,
// the notice for lines left out, and the countdown under the grid.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { loadView, localNoon } from './fake-page.mjs';

const FILE = '/home/u/.local/share/kestrun/days.tsv';

test('a lunar birthday in April 2027, a note, a bad line, and the countdowns from 20 September 2026', () => {
  const page = loadView({ now: localNoon(2026, 8, 20), globals: {
    userDays: { file: FILE, text: 'lunar\t1956-03-05\t妈妈生日\t<b>电话</b>\nsolar\t09-23\t纪念\nsolar\t02-30\tx\n' } } });
  page.useHolidays();
  page.useOwnDays();
  page.drawCld(2027, 3);
  const cell = page.cld.firstWeek + 10; // 11 April
  assert.deepEqual([page.OM0.innerHTML, page['OM' + cell].innerHTML, page.OE.innerText], ['', '★', `${FILE} 第3行有误，已略过`]);
  assert.match(page.popupText(page.cld[10]), /★ 妈妈71岁生日<BR>&lt;b&gt;电话&lt;\/b&gt;<\/DIV>/);
  assert.match(page['GD' + cell].ariaLabel, / 妈妈71岁生日$/);
  assert.equal(page.CD.innerText, '距中秋节还有 5 天 · 距纪念还有 3 天');
  page.setUserDays({ file: FILE, error: 'Permission denied' });
  assert.deepEqual([page['OM' + cell].innerHTML, page.OE.innerText, page.CD.innerText],
    ['', `无法读取 ${FILE}（Permission denied），未显示自己的日子`, '距中秋节还有 5 天']);
});

test('no countdown with the clock outside 1900-2100, where there is no today to count from', () => {
  for (const now of [localNoon(1899, 11, 31), localNoon(2101, 0, 1)]) {
    const page = loadView({ now, globals: { userDays: { file: FILE, text: 'solar\t01-02\t纪念\n' } } });
    page.useHolidays();
    page.useOwnDays();
    page.drawCld(page.tY, page.tM);
    assert.equal(page.CD.innerText, '');
  }
});
