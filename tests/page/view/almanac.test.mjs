// The almanac panel's day: which day each drawing selects, and what the
// panel then says of it.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { loadView, localNoon } from './fake-page.mjs';

// The selected day as the panel's date line starts, and the tinted cells' days.
function selected(page) {
  const tinted = [];
  for (let n = 0; n < 42; n++) if (page['GD' + n].classes.has('almanacPick')) tinted.push(n - page.cld.firstWeek + 1);
  return [page.almanac.parts.date.replace(/ 星期.*/, ''), tinted];
}

test('today at start; a chosen day stays through a redraw of its month; another month selects today or the 1st', () => {
  const page = loadView({ now: localNoon(2026, 11, 9), start: true });
  assert.deepEqual(selected(page), ['2026年12月9日', [9]]);
  page.selectDay(8);
  page.changeCld(); // the holidays' check box, or days.tsv changing
  assert.deepEqual(selected(page), ['2026年12月8日', [8]]);
  const p = page.almanac.parts;
  assert.deepEqual([p.date, p.jianChu, p.tianShen, p.dao, p.chongSha, p.xiu, p.pengZu, p.naYin, p.taiShen],
    ['2026年12月8日 星期二　农历十月三十　丙午年 庚子月 丙辰日', '定', '天牢', '黑道', '冲狗(庚戌)煞南', '翼火蛇',
      '丙不修灶必见灾殃 辰不哭泣必主重丧', '沙中土', '厨灶栖 外正东']);
  assert.match(p.yi + '|' + p.ji, /^入宅 安床 .*\|嫁娶 开市 /);
  page.pushBtm('MD');
  assert.deepEqual(selected(page), ['2027年1月1日', [1]]);
  page.pushBtm('MU');
  assert.deepEqual(selected(page), ['2026年12月9日', [9]]);

  page.setCookie = () => {};
  page.AB.checked = false;
  page.chAlmanac();
  assert.deepEqual(selected(page)[1], []);
  page.AB.checked = true;
  page.chAlmanac();
  assert.deepEqual(selected(page)[1], [9]);
});

test('the panel\'s almanac is the engine\'s for every day of the month drawn, and none before 1900-01-31', () => {
  const page = loadView({ now: localNoon(2026, 11, 9), start: true });
  for (const [y, m] of [[1900, 0], [2026, 1], [2100, 11]]) {
    page.drawCld(y, m);
    for (let d = 1; d <= page.cld.length; d++)
      assert.deepEqual(page.recordAlmanac(page.cld[d - 1]), page.dayAlmanac(y, m, d), `${y}-${m + 1}-${d}`);
  }
});

test('before 1900-01-31 the panel has only the date', () => {
  const page = loadView({ now: localNoon(2026, 11, 9), start: true });
  page.drawCld(1900, 0);
  const p = page.almanac.parts;
  assert.deepEqual([p.date, p.yi, page.almanac.classes.has('almanacNone')], ['1900年1月1日 星期一', '', true]);
  page.selectDay(31);
  assert.match(page.almanac.parts.yi, /\S/);
  assert.equal(page.almanac.classes.has('almanacNone'), false);
});
