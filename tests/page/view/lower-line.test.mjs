// The lower line of a day cell, from hand-made day records over the real
// lunar tables.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { loadView, calendarOnly } from './fake-page.mjs';

const page = loadView({ only: calendarOnly });

function day(fields) {
  return { lYear: 2003, lMonth: 3, lDay: 9, isLeap: false,
    lunarFestival: '', solarFestival: '', solarTerms: '', ...fields };
}
const line = (fields) => page.textMarkup(page.lowerLine(day(fields)));
const font = (color, text) => `<font color="${color}">${text}</font>`;

test('lunar date: day numerals, and the opening of a month with its length', () => {
  assert.equal(line({ lDay: 9 }), '初九');
  assert.equal(line({ lDay: 20 }), '二十');
  // Lunar 2003 month 3 has 29 days, month 2 has 30.
  assert.equal(line({ lDay: 1 }), '<b>3月小</b>');
  assert.equal(line({ lMonth: 2, lDay: 1 }), '<b>2月大</b>');
  // 2025: leap month 6 has 29 days, the regular month 6 has 30.
  assert.equal(line({ lYear: 2025, lMonth: 6, lDay: 1, isLeap: true }), '<b>闰6月小</b>');
  assert.equal(line({ lYear: 2025, lMonth: 6, lDay: 1 }), '<b>6月大</b>');
});

test('days before the lunar table show no lunar date', () => {
  for (const lDay of [-29, -1, 0, 1]) {
    assert.equal(line({ lYear: 1899, lMonth: 0, lDay }), '', `lunar day ${lDay}`);
  }
  assert.equal(line({ lYear: 1899, lMonth: 0, lDay: -10, solarTerms: '大寒' }), font('limegreen', '大寒'));
});

test('a lunar festival wins over a Gregorian one, which wins over a term', () => {
  const all = { lunarFestival: '中秋节 ', solarFestival: '教师节 ', solarTerms: '白露' };
  assert.equal(line(all), font('red', '中秋节 '));
  assert.equal(line({ ...all, lunarFestival: '' }), font('blue', '教师节 '));
  assert.equal(line({ ...all, lunarFestival: '', solarFestival: '' }), font('limegreen', '白露'));
});

test('long festival texts are cut, counting the trailing spaces', () => {
  assert.equal(line({ lunarFestival: '妈祖生辰 (天上圣母诞辰) ' }), font('red', '妈祖生辰...'));
  assert.equal(line({ lunarFestival: '端午节 龙 ' }), font('red', '端午节 龙 '));
  assert.equal(line({ solarFestival: '世界湿地日 ' }), font('blue', '世界湿地日 '));
  assert.equal(line({ solarFestival: '国际声援南非日 ' }), font('blue', '国际声援...'));
  // A text that begins with an ASCII character keeps 8 characters.
  assert.equal(line({ solarFestival: ' 复活节 Easter Sunday', solarTerms: '谷雨' }), font('blue', ' 复活节 Eas...'));
  assert.equal(line({ solarFestival: ' 复活节 Ea' }), font('blue', ' 复活节 Ea'));
});

test('Friday the 13th is black only when it stands alone', () => {
  assert.equal(line({ solarFestival: '黑色星期五' }), font('black', '黑色星期五'));
  assert.equal(line({ solarFestival: '南京大屠杀(1937年)纪念日！紧记血泪史！ 黑色星期五' }), font('blue', '南京大屠...'));
});

test('清明, 芒种, 夏至 and 冬至 show in red over any festival', () => {
  assert.equal(line({ solarTerms: '清明' }), font('red', '清明节'));
  assert.equal(line({ solarTerms: '芒种', solarFestival: '全国爱眼日 ' }), font('red', '芒种'));
  assert.equal(line({ solarTerms: '夏至', lunarFestival: '端午节 ' }), font('red', '夏至'));
  assert.equal(line({ solarTerms: '冬至', lDay: 1 }), font('red', '冬至'));
  assert.equal(line({ solarTerms: '大寒', lunarFestival: '除夕 ' }), font('red', '除夕 '));
});
