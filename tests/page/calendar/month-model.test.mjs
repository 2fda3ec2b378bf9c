import { test } from 'node:test';
import assert from 'node:assert/strict';
import { loadPage } from '../load.mjs';

const c = loadPage({ only: ['calendar/'] });
c.tY = 2003; c.tM = 1; c.tD = 14;
const month = (y, m) => new c.calendar(y, m);
const label = ' \u4f5c\u8005\u751f\u65e5';

// Checks the listed fields of some days of a month. Each row: day, then an
// object of the fields expected on it.
function checkDays(y, m, rows) {
  const cld = month(y, m);
  for (const [day, fields] of rows) {
    for (const [k, v] of Object.entries(fields)) {
      assert.deepEqual(cld[day - 1][k], v, `${y}-${m + 1}-${day} ${k}`);
    }
  }
  return cld;
}

const lunar = (lYear, lMonth, lDay, isLeap = false) => ({ lYear, lMonth, lDay, isLeap });

test('February 2003, with today on the 14th', () => {
  const cld = checkDays(2003, 1, [
    [1, { week: '六', ...lunar(2003, 1, 1), cYear: '壬午', cMonth: '癸丑', cDay: '乙巳', solarTerms: '', lunarFestival: '春节 ', solarFestival: '', color: 'red', isToday: false }],
    [2, { week: '日', cYear: '壬午', cMonth: '癸丑', cDay: '丙午', solarFestival: '世界湿地日 ', color: '' }],
    [3, { week: '一', cYear: '壬午', cMonth: '癸丑', cDay: '丁未', solarFestival: '', lunarFestival: '' }],
    [4, { week: '二', ...lunar(2003, 1, 4), cYear: '癸未', cMonth: '甲寅', cDay: '戊申', solarTerms: '立春' }],
    [14, { week: '五', cYear: '癸未', cMonth: '甲寅', cDay: '戊午', solarFestival: '情人节 ', isToday: true }],
    [15, { week: '六', cDay: '己未', lunarFestival: '元宵节 ', isToday: false }],
    [19, { week: '三', cDay: '癸亥', solarTerms: '雨水' }],
    [28, { week: '五', ...lunar(2003, 1, 28), cYear: '癸未', cMonth: '甲寅', cDay: '壬申', solarFestival: '', lunarFestival: '' }],
  ]);
  assert.equal(cld.firstWeek, 6);
  assert.equal(cld.length, 28);
  assert.equal(cld[0].sYear, 2003);
  assert.equal(cld[0].sMonth, 2);
  assert.equal(cld[27].sDay, 28);
  assert.deepEqual(Object.keys(cld[0]), ['isToday', 'sYear', 'sMonth', 'sDay', 'week', 'lYear',
    'lMonth', 'lDay', 'isLeap', 'cYear', 'cMonth', 'cDay', 'color', 'lunarFestival',
    'solarFestival', 'solarTerms']);
  for (let i = 0; i < 31; i++) assert.equal(month(2003, 0)[i].isToday, false);
});

test('January 2003 and January 2004 around the lunar new year', () => {
  const jan03 = checkDays(2003, 0, [
    [1, { ...lunar(2002, 11, 29), cYear: '壬午', cMonth: '壬子', cDay: '甲戌', solarFestival: '新年元旦 ', color: 'red' }],
    [3, lunar(2002, 12, 1)],
    [5, { cMonth: '壬子', solarFestival: '黑人日 ' }],
    [6, { cMonth: '癸丑', solarTerms: '小寒' }],
    [10, { lunarFestival: '腊八节 ' }],
    [25, { lunarFestival: '腊八节 ' }],
    [26, { solarFestival: '世界麻风日 ' }],
    [31, { ...lunar(2002, 12, 29), cYear: '壬午', lunarFestival: '除夕 ', color: 'red' }],
  ]);
  assert.equal(jan03.firstWeek, 3);
  assert.equal(jan03.length, 31);
  checkDays(2004, 0, [
    [1, lunar(2003, 12, 10)],
    [8, { lunarFestival: '' }],
    [14, { lunarFestival: '腊八节 ' }],
    [21, { ...lunar(2003, 12, 30), lunarFestival: '除夕 ', color: 'red', solarTerms: '大寒' }],
    [22, { ...lunar(2004, 1, 1), lunarFestival: '春节 ', color: 'red' }],
  ]);
});

test('New Year\'s Eve on the last day of January, and a January that meets lunar months 11, 12 and 1', () => {
  for (const y of [1919, 2022, 2041, 2052, 2098]) {
    checkDays(y, 0, [[31, { lMonth: 12, lunarFestival: '除夕 ', color: 'red' }]]);
    checkDays(y, 1, [[1, { ...lunar(y, 1, 1), lunarFestival: '春节 ', color: 'red' }]]);
  }
  checkDays(1938, 0, [[1, lunar(1937, 11, 30)], [2, lunar(1937, 12, 1)],
    [9, { lunarFestival: '腊八节 ' }], [24, { lunarFestival: '腊八节 ' }],
    [30, { lunarFestival: '除夕 ', color: 'red' }], [31, { ...lunar(1938, 1, 1), lunarFestival: '春节 ', color: 'red' }]]);
  checkDays(1938, 1, [[1, { lunarFestival: '' }], [14, { lunarFestival: '元宵节 ' }]]);
});

test('months that meet three lunar months or begin in a leap month', () => {
  checkDays(2000, 6, [[1, lunar(2000, 5, 30)], [2, lunar(2000, 6, 1)], [30, lunar(2000, 6, 29)],
    [31, { ...lunar(2000, 7, 1), lunarFestival: '' }]]);
  checkDays(2001, 5, [[1, lunar(2001, 4, 10, true)], [21, lunar(2001, 5, 1)],
    [25, { lunarFestival: '端午节 ' }]]);
  checkDays(2017, 6, [[22, lunar(2017, 6, 29)], [23, lunar(2017, 6, 1, true)],
    [28, { lunarFestival: '' }]]); // 6-07 of the leap month is no festival day
  checkDays(2017, 7, [[21, lunar(2017, 6, 30, true)], [22, lunar(2017, 7, 1)],
    [28, { lunarFestival: '七七中国情人节 ' }]]);
  checkDays(2033, 11, [[22, lunar(2033, 11, 1, true)], [31, lunar(2033, 11, 10, true)]]);
  checkDays(2034, 0, [[19, lunar(2033, 11, 29, true)], [20, lunar(2033, 12, 1)],
    [27, { lunarFestival: '腊八节 ' }]]);
});

test('Gregorian and weekday festivals that share a day keep table order', () => {
  checkDays(2003, 8, [[1, { solarFestival: '劳动节 ' }], [16, { solarFestival: '国际臭氧层保护日 国际和平日 ' }],
    [28, { solarFestival: '国际聋人节 世界儿童日 世界海事日 ' }]]);
  checkDays(2003, 9, [
    [1, { solarFestival: '国庆节 世界音乐日 国际老人节 国际音乐日 国际减轻自然灾害日(减灾日) ', color: 'red' }],
    [6, { solarFestival: '国际住房日 ' }],
    [8, { solarFestival: '全国高血压日 世界视觉日 ' }],
    [13, { solarFestival: '世界保健日 国际教师节 ' }]]);
  checkDays(2003, 10, [[27, { solarFestival: '感恩节 ' }]]);
  checkDays(2003, 4, [[11, { solarFestival: '国际母亲节 ' }], [18, { solarFestival: '国际博物馆日 全国助残日 ' }]]);
  checkDays(2003, 5, [[13, { solarFestival: '黑色星期五' }], [15, { solarFestival: '父亲节 ' }]]);
  checkDays(2002, 11, [[13, { solarFestival: '南京大屠杀(1937年)纪念日！紧记血泪史！ 黑色星期五' }]]);
  checkDays(2003, 3, [[5, { solarTerms: '清明', color: 'red' }],
    [20, { solarFestival: ' 复活节 Easter Sunday', solarTerms: '谷雨' }],
    [24, { lunarFestival: '妈祖生辰 (天上圣母诞辰) ', solarFestival: '亚非新闻工作者日 ' }]]);
  checkDays(2003, 2, [[21, { solarFestival: '世界森林日 消除种族歧视国际日 世界儿歌日 ' + label }]]);
  checkDays(2004, 2, [[21, { ...lunar(2004, 2, 1, true), solarFestival: '世界森林日 消除种族歧视国际日 世界儿歌日 ' + label }]]);
});

test('January 1900 lies before the lunar table; February 1900 does not', () => {
  const cld = month(1900, 0);
  assert.equal(cld.firstWeek, 1);
  for (let i = 0; i < 31; i++) {
    assert.deepEqual([cld[i].lYear, cld[i].lMonth, cld[i].lDay, cld[i].isLeap], [1899, 0, i - 29, false]);
    assert.equal(cld[i].lunarFestival, '');
  }
  assert.deepEqual([cld[0].cYear, cld[0].cMonth, cld[0].cDay], ['己亥', '丙子', '甲戌']);
  assert.equal(cld[0].solarFestival, '新年元旦 ');
  assert.equal(cld[5].solarTerms, '小寒');
  checkDays(1900, 1, [[1, lunar(1900, 1, 2)]]);
  checkDays(2100, 11, [[31, lunar(2100, 12, 1)]]);
});

test('today is marked only in its own month', () => {
  const d = loadPage({ only: ['calendar/'] });
  d.tY = 2100; d.tM = 11; d.tD = 31;
  const marked = (y, m) => Array.from({ length: 31 }, (_, i) => new d.calendar(y, m)[i])
    .filter((r) => r && r.isToday).map((r) => r.sDay);
  assert.deepEqual(marked(2100, 11), [31]);
  assert.deepEqual(marked(2100, 10), []);
  assert.deepEqual(marked(2099, 11), []);
});

test('Easter is the same in every time zone', () => {
  const cases = [[2003, 3, 20], [2019, 3, 21], [2008, 2, 23], [2000, 3, 23]];
  for (const [y, m, d] of cases) {
    const e = new c.easter(y);
    assert.deepEqual([e.m, e.d], [m, d], `Easter ${y}`);
  }
  // West of Greenwich the UTC midnight of the equinox (2019-03-21, lunar
  // 2-15; 2008-03-20, lunar 2-13) is still the day before, whose lunar day
  // must not be the one counted from.
  checkDays(2019, 2, [[24, { solarFestival: '世界防治结核病日 ' }]]);
  checkDays(2008, 2, [[23, { solarFestival: '世界气象日  复活节 Easter Sunday' }], [30, { solarFestival: '巴勒斯坦国土日 ' }]]);
  checkDays(2019, 3, [[21, { solarFestival: ' 复活节 Easter Sunday' }]]);
});
