import { test } from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import { loadPage } from '../load.mjs';
import { almanacTables } from '../../../resources/page-script.mjs';

const c = loadPage({ only: ['calendar/'] });
Object.assign(c, { tY: 2003, tM: 1, tD: 14, todayNote: '' });
const [daysTsv, textsTsv] = almanacTables.map((f) => fs.readFileSync(f, 'utf8'));
const dataLines = (tsv) => tsv.split('\n').filter((l) => l !== '' && !l.startsWith('#')).slice(1);

// Each row: the date (month from 1), then the fields expected, checked by
// hand against the rules and the rows of the two tables.
function checkDays(rows) {
  for (const [y, m, d, fields] of rows) {
    const a = c.dayAlmanac(y, m - 1, d);
    for (const [k, v] of Object.entries(fields)) {
      const got = Array.isArray(a[k]) ? (Array.isArray(v) ? [...a[k]] : a[k].slice(0, 2).join(' ')) : a[k];
      assert.deepEqual(got, v, `${y}-${m}-${d} ${k}`);
    }
  }
}

test('2026-12-08, a 丙辰 day of a 子 month', () => {
  checkDays([[2026, 12, 8, { jianChu: '定', tianShen: '天牢', huangDao: false, chongSha: '冲狗(庚戌)煞南', xiu: '翼火蛇',
    pengZu: '丙不修灶必见灾殃 辰不哭泣必主重丧', naYin: '沙中土', taiShen: '厨灶栖 外正东', yi: '入宅 安床', ji: '嫁娶 开市',
    jiShen: ['月空', '三合', '临日', '时阴', '天仓', '圣心'], xiongSha: ['死气', '天牢'] }]]);
});

// The month turns on the 节 day itself, so 建除 repeats there (危 on
// 2026-02-03 and 02-04); 立秋 2025 falls in the leap sixth month.
test('the month branch changes on the 节 day, leap month or not', () => {
  checkDays([
    [2026, 2, 3, { jianChu: '危', tianShen: '司命', huangDao: true, yi: '沐浴 开仓', ji: '祈福 嫁娶', chongSha: '冲虎(壬寅)煞南' }],
    [2026, 2, 4, { jianChu: '危', tianShen: '玄武', huangDao: false, yi: '祭祀 祈福', ji: '嫁娶 作灶', chongSha: '冲兔(癸卯)煞东' }],
    [2025, 8, 6, { jianChu: '建', tianShen: '玄武', yi: '祭祀 修造', ji: '动土 破土', xiu: '壁水獝' }],
    [2025, 8, 7, { jianChu: '建', tianShen: '天牢', yi: '祭祀 祈福', ji: '破土 置产', xiu: '奎木狼' }]]);
  assert.equal(new c.calendar(2025, 7)[6].isLeap, true);
});

test('the ends of the range, and null outside it or for no date', () => {
  checkDays([[1900, 1, 31, { jianChu: '平', tianShen: '白虎', chongSha: '冲狗(戊戌)煞南', yi: '平治道涂 馀事勿取', xiu: '箕水豹' }],
    [2100, 12, 31, { jianChu: '危', tianShen: '勾陈', chongSha: '冲牛(辛丑)煞西', naYin: '天河水', xiu: '亢金龙' }]]);
  for (const [y, m, d] of [[1900, 0, 30], [2101, 0, 1], [2026, 1, 29], [2026, 12, 1], [2026, 0, 0], [2026.5, 0, 1]]) {
    assert.equal(c.dayAlmanac(y, m, d), null, `${y}-${m}-${d}`);
  }
});

// The tables' god lists name the day's 建 and 破 (月建, 月破) and its god
// (玄武 as 元武, 天德 as 宝光), but the seven rows here leave the god out.
test('建除 and 值神 by the rules agree with the god lists of every row', () => {
  const noGod = ['寅辛卯', '寅丙申', '辰乙亥', '未癸酉', '申戊寅', '申乙未', '亥己丑'];
  for (let mz = 0; mz < 12; mz++) {
    for (let n = 0; n < 60; n++) {
      const a = new c.Almanac('甲' + c.Zhi[mz], c.cyclical(n), 0);
      const key = c.Zhi[mz] + c.cyclical(n);
      const gods = [...a.jiShen, ...a.xiongSha].map((w) => ({ 元武: '玄武', 宝光: '天德' })[w] || w);
      assert.equal(a.jianChu === '建', gods.includes('月建'), key);
      assert.equal(a.jianChu === '破', gods.includes('月破'), key);
      assert.equal(gods.includes(a.tianShen), !noGod.includes(key), key);
    }
  }
});

test('the page tables decode back to both tables', () => {
  const days = [];
  for (let i = 0; i < 720; i++) {
    const mz = (i / 60 + 2) % 12 | 0;
    const row = c.almanacRow(mz, i % 60);
    const lists = [c.almanacActs, c.almanacActs, c.almanacGods, c.almanacGods].map((w, k) => c.almanacWords(row[k], w).join(' '));
    days.push([c.Zhi[mz], c.cyclical(i % 60), ...lists].join('\t'));
  }
  assert.deepEqual(days, dataLines(daysTsv));
  const cycle = Array.from({ length: 60 }, (_, i) => c.cyclical(i));
  const texts = [['nayin', cycle, c.naYinText], ['taishen', cycle, c.taiShenText], ['pengzu_gan', c.Gan, c.pengZuGan],
    ['pengzu_zhi', c.Zhi, c.pengZuZhi], ['xiu', c.xiuText.map((_, i) => String(i)), c.xiuText]]
    .flatMap(([kind, keys, table]) => table.map((t, i) => `${kind}\t${keys[i]}\t${t}`));
  assert.deepEqual(texts, dataLines(textsTsv));
});
