// The lower line of a day cell, from hand-made day records over the real
// lunar tables.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { loadView } from './fake-page.mjs';

const page = loadView();
const line = (fields) => page.textMarkup(page.lowerLine({ lYear: 2003, lMonth: 3, lDay: 9, isLeap: false,
  lunarFestival: '', solarFestival: '', solarTerms: '', ...fields }));
const font = (color, text) => `<font color="${color}">${text}</font>`;
const nanjing = '南京大屠杀(1937年)纪念日！紧记血泪史！ 黑色星期五';

test('what the lower line shows, in order of precedence, and how long texts are cut', () => {
  const all = { lunarFestival: '中秋节 ', solarFestival: '教师节 ', solarTerms: '白露' };
  const cases = [
    // Lunar day numerals; a month's first day with its length (2003: month 3 has 29 days, 2 has 30;
    // 2025: leap 6 has 29, month 6 has 30).
    [{ lDay: 9 }, '初九'], [{ lDay: 1 }, '<b>3月小</b>'], [{ lMonth: 2, lDay: 1 }, '<b>2月大</b>'],
    [{ lYear: 2025, lMonth: 6, lDay: 1, isLeap: true }, '<b>闰6月小</b>'], [{ lYear: 2025, lMonth: 6, lDay: 1 }, '<b>6月大</b>'],
    // January 1900: the last month of 1899, 30 days.
    [{ lYear: 1899, lMonth: 12, lDay: 1 }, '<b>12月大</b>'], [{ lYear: 1899, lMonth: 12, lDay: 30 }, '三十'],
    // A lunar festival wins over a Gregorian one, which wins over a term.
    [all, font('red', '中秋节 ')], [{ ...all, lunarFestival: '' }, font('blue', '教师节 ')],
    [{ ...all, lunarFestival: '', solarFestival: '' }, font('limegreen', '白露')],
    // Cut after four characters counting the trailing space; eight when the text begins with ASCII.
    [{ lunarFestival: '妈祖生辰 (天上圣母诞辰) ' }, font('red', '妈祖生辰...')], [{ lunarFestival: '端午节 龙 ' }, font('red', '端午节 龙 ')],
    [{ solarFestival: '世界湿地日 ' }, font('blue', '世界湿地日 ')], [{ solarFestival: '国际声援南非日 ' }, font('blue', '国际声援...')],
    [{ solarFestival: ' 复活节 Easter Sunday', solarTerms: '谷雨' }, font('blue', ' 复活节 Eas...')],
    [{ solarFestival: ' 复活节 Ea' }, font('blue', ' 复活节 Ea')],
    // Friday the 13th is black only when it stands alone.
    [{ solarFestival: '黑色星期五' }, font('black', '黑色星期五')], [{ solarFestival: nanjing }, font('blue', '南京大屠...')],
    // 清明, 芒种, 夏至 and 冬至 in red over any festival.
    [{ solarTerms: '清明' }, font('red', '清明节')], [{ solarTerms: '芒种', solarFestival: '全国爱眼日 ' }, font('red', '芒种')],
    [{ solarTerms: '夏至', lunarFestival: '端午节 ' }, font('red', '夏至')], [{ solarTerms: '冬至', lDay: 1 }, font('red', '冬至')],
    [{ solarTerms: '大寒', lunarFestival: '除夕 ' }, font('red', '除夕 ')],
  ];
  for (const [fields, expected] of cases) assert.equal(line(fields), expected, JSON.stringify(fields));
});
