import { test } from 'node:test';
import assert from 'node:assert/strict';
import { loadPage } from '../load.mjs';

const c = loadPage({ only: ['calendar/'] });
Object.assign(c, { tY: 2003, tM: 1, tD: 14, todayNote: '' });
const L = (lYear, lMonth, lDay, isLeap = false) => ({ lYear, lMonth, lDay, isLeap });

// Each row: day of the month, then the fields expected on that day.
function checkDays(y, m, rows) {
  const cld = new c.calendar(y, m);
  for (const [day, fields] of rows) {
    for (const [k, v] of Object.entries(fields)) assert.deepEqual(cld[day - 1][k], v, `${y}-${m + 1}-${day} ${k}`);
  }
  return cld;
}

test('January and February 2003: pillars, terms, festivals, colours and today', () => {
  const jan = checkDays(2003, 0, [
    [1, { ...L(2002, 11, 29), week: '三', cYear: '壬午', cMonth: '壬子', cDay: '甲戌', solarFestival: '新年元旦 ', color: 'red' }],
    [6, { cMonth: '癸丑', solarTerms: '小寒' }], [10, { lunarFestival: '腊八节 ' }], [25, { lunarFestival: '小年 ' }],
    [31, { ...L(2002, 12, 29), cYear: '壬午', lunarFestival: '除夕 ', color: 'red', isToday: false }]]);
  const feb = checkDays(2003, 1, [
    [1, { ...L(2003, 1, 1), week: '六', lunarFestival: '春节 ', solarFestival: '', color: 'red' }],
    [2, { solarFestival: '世界湿地日 ', color: '' }], [4, { cYear: '癸未', cMonth: '甲寅', cDay: '戊申', solarTerms: '立春' }],
    [14, { solarFestival: '情人节 ', isToday: true }], [15, { lunarFestival: '元宵节 ', isToday: false }],
    [28, { ...L(2003, 1, 28), week: '五', sYear: 2003, sMonth: 2, sDay: 28 }]]);
  assert.deepEqual([jan.firstWeek, jan.length, feb.firstWeek, feb.length], [3, 31, 6, 28]);
});

// The months where placing lunar festivals through the lunar months met is
// delicate.
test('lunar festivals across lunar new years and leap months; January 1900', () => {
  checkDays(2004, 0, [[1, L(2003, 12, 10)], [14, { lunarFestival: '小年 ' }],
    [21, { lunarFestival: '除夕 ', color: 'red', solarTerms: '大寒' }], [22, { ...L(2004, 1, 1), lunarFestival: '春节 ' }]]);
  checkDays(1938, 0, [[1, L(1937, 11, 30)], [9, { lunarFestival: '腊八节 ' }], [24, { lunarFestival: '小年 ' }],
    [30, { lunarFestival: '除夕 ' }], [31, { ...L(1938, 1, 1), lunarFestival: '春节 ', color: 'red' }]]);
  checkDays(2001, 5, [[1, L(2001, 4, 10, true)], [25, { lunarFestival: '端午节 ' }]]);
  // No festival on a leap month's day: leap 6-07, and leap 8-15 in a month that opens in the leap month.
  checkDays(2017, 6, [[23, L(2017, 6, 1, true)], [29, { ...L(2017, 6, 7, true), lunarFestival: '' }]]);
  checkDays(1900, 9, [[8, { ...L(1900, 8, 15, true), lunarFestival: '' }]]);
  // Before the table: the last month of 1899, from 1 January 1900.
  checkDays(1900, 0, [[1, { ...L(1899, 12, 1), cYear: '己亥', cMonth: '丙子', cDay: '甲戌', solarFestival: '新年元旦 ' }],
    [8, { lunarFestival: '腊八节 ' }], [30, { ...L(1899, 12, 30), lunarFestival: '除夕 ' }],
    [31, { ...L(1900, 1, 1), lunarFestival: '春节 ', color: 'red' }]]);
});

test('festivals sharing a day keep table order; Easter, the label and Friday the 13th come last', () => {
  checkDays(2003, 9, [[1, { solarFestival: '国庆节 世界音乐日 国际老人节 国际音乐日 国际减轻自然灾害日(减灾日) ', color: 'red' }]]);
  checkDays(2003, 10, [[27, { solarFestival: '感恩节 ' }]]);
  checkDays(2002, 11, [[13, { solarFestival: '南京大屠杀(1937年)纪念日！紧记血泪史！ 黑色星期五' }]]);
  checkDays(2003, 3, [[5, { solarTerms: '清明', color: 'red' }], [20, { solarFestival: ' 复活节 Easter Sunday', solarTerms: '谷雨' }],
    [24, { lunarFestival: '妈祖生辰 (天上圣母诞辰) ', solarFestival: '亚非新闻工作者日 ' }]]);
  checkDays(2003, 2, [[21, { solarFestival: '世界森林日 消除种族歧视国际日 世界儿歌日  \u4f5c\u8005\u751f\u65e5' }]]);
  // Easter is the same in every zone: west of Greenwich the UTC midnight of
  // the equinox is still the day before, which is not the day to count from.
  assert.deepEqual([2003, 2019, 2008].map((y) => { const e = new c.easter(y); return [e.m, e.d]; }), [[3, 20], [3, 21], [2, 23]]);
  checkDays(2008, 2, [[23, { solarFestival: '世界气象日  复活节 Easter Sunday' }]]);
});

// Every day from January 1900 to December 2100, in whichever zone this runs.
test('whole range: pillars move one step at a time, days daily, months on their first term, years on 立春; one Easter a year', () => {
  Object.assign(c, { tY: 1800 });
  const days = [];
  for (let y = 1900; y <= 2100; y++) for (let m = 0; m < 12; m++) days.push(...Array.from(new c.calendar(y, m)));
  const index = new Map(Array.from({ length: 60 }, (_, i) => [c.cyclical(i), i]));
  const step = (a, b) => (index.get(b) - index.get(a) + 60) % 60;
  const firstTerms = c.solarTerm.filter((_, n) => n % 2 === 0);
  for (let i = 1; i < days.length; i++) {
    const [a, b] = [days[i - 1], days[i]], iso = `${b.sYear}-${b.sMonth}-${b.sDay}`;
    const got = [step(a.cDay, b.cDay), step(a.cMonth, b.cMonth), step(a.cYear, b.cYear)];
    assert.deepEqual(got, [1, firstTerms.includes(b.solarTerms) ? 1 : 0, b.solarTerms === '立春' ? 1 : 0], iso);
  }
  const easters = days.filter((r) => r.solarFestival.includes('复活节'));
  assert.deepEqual(easters.map((r) => r.sYear), Array.from({ length: 201 }, (_, i) => 1900 + i));
  // Not a Sunday, or outside 22 March..26 April (374 +- 52 as month * 100 + day).
  const odd = ({ sYear: y, sMonth: m, sDay: d }) => Math.abs(m * 100 + d - 374) > 52 || new Date(y, m - 1, d).getDay();
  assert.deepEqual(easters.filter(odd), []);
});
