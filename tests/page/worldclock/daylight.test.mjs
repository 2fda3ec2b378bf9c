import { test } from 'node:test';
import assert from 'node:assert/strict';
import { loadPage } from '../load.mjs';

const page = loadPage({ only: ['worldclock/'], globals: { nStr1: [] } });
const { parseOffset, getWeekDay, isDaylightSaving } = page;

// A zone standard-time reading "YYYY-MM-DD HH[:MM:SS.mmm]" as the instant the
// rules compare (its UTC fields are the wall clock).
const at = (text) => new Date(Date.parse(text.replace(' ', 'T') + (text.length === 13 ? ':00' : '') + 'Z'));
const ms = (date, delta) => new Date(date.getTime() + delta);

test('parseOffset: the sign covers hours and minutes', () => {
  const cases = {
    '+0000': 0, '+0800': 28800000, '-0100': -3600000, '+1300': 46800000, '-0830': -30600000,
    '-0330': -12600000, '+0545': 20700000, '+1245': 45900000, '-1200': -43200000,
  };
  for (const [text, expected] of Object.entries(cases)) assert.equal(parseOffset(text), expected, text);
});

test('getWeekDay: the 1st or the last day counts when it is the weekday', () => {
  assert.equal(getWeekDay(2006, 9, 1, 0, 3).getTime(), at('2006-10-01 03').getTime());
  assert.equal(getWeekDay(2002, 2, -1, 0, 1).getTime(), at('2002-03-31 01').getTime());
  assert.equal(getWeekDay(2003, 3, 1, 5, 3).getTime(), at('2003-04-04 03').getTime());
  assert.equal(getWeekDay(2003, 8, -1, 4, 3).getTime(), at('2003-09-25 03').getTime());
  // December's last day is found through January of the next year.
  assert.equal(getWeekDay(2003, 11, -1, 3, 0).getTime(), at('2003-12-31 00').getTime());
});

// Every rule of the table, with its start and end in a given year (zone
// standard time); the extra years put a transition on the 1st or the last day.
const transitions = [
  ['03L01|10L01', '2003-03-30 01', '2003-10-26 01'],
  ['03L03|09L03', '2003-03-30 03', '2003-09-28 03'],
  ['03L03|10L03', '2003-03-30 03', '2003-10-26 03'],
  ['04 13|10 13', '2003-04-01 03', '2003-10-01 03'],
  ['04 13|10L03', '2003-04-01 03', '2003-10-26 03'],
  ['04F02|10L02', '2003-04-06 02', '2003-10-26 02'],
  ['04F03|10L03', '2003-04-06 03', '2003-10-26 03'],
  ['04F53|09F53', '2003-04-04 03', '2003-09-05 03'],
  ['04F53|10F53', '2003-04-04 03', '2003-10-03 03'],
  ['04L53|09L43', '2003-04-25 03', '2003-09-25 03'],
  ['09F03|04F03', '2003-09-07 03', '2003-04-06 03'],
  ['10F03|02L03', '2003-10-05 03', '2003-02-23 03'],
  ['10F03|03F03', '2003-10-05 03', '2003-03-02 03'],
  ['10F03|04F63', '2003-10-05 03', '2003-04-05 03'],
  ['10F63|04F63', '2003-10-04 03', '2003-04-05 03'],
  ['11F03|02L03', '2003-11-02 03', '2003-02-23 03'],
  ['03L01|10L01', '2002-03-31 01', '2002-10-27 01'],
  ['10F03|03F03', '2006-10-01 03', '2006-03-05 03'],
];

test('each rule starts one millisecond after its start and ends at its end', () => {
  for (const [rule, start, end] of transitions) {
    const d1 = at(start);
    const d2 = at(end);
    assert.equal(isDaylightSaving(ms(d1, -1), rule), false, `${rule} before ${start}`);
    assert.equal(isDaylightSaving(d1, rule), false, `${rule} at ${start}`);
    assert.equal(isDaylightSaving(ms(d1, 1), rule), true, `${rule} after ${start}`);
    assert.equal(isDaylightSaving(ms(d2, -1), rule), true, `${rule} before ${end}`);
    assert.equal(isDaylightSaving(d2, rule), false, `${rule} at ${end}`);
  }
});

test('rules that run over the turn of the year hold on 1 January and 31 December', () => {
  for (const [rule, start, end] of transitions) {
    const wraps = at(end) < at(start);
    const year = start.slice(0, 4);
    assert.equal(isDaylightSaving(at(`${year}-01-01 00:00:00.000`), rule), wraps, rule);
    assert.equal(isDaylightSaving(at(`${year}-12-31 23:59:59.999`), rule), wraps, rule);
  }
});

test('the table uses no rule left out above', () => {
  const known = new Set(transitions.map(([rule]) => rule));
  for (const continent of Object.values(page.timeData)) {
    for (const [key, [, rule]] of Object.entries(continent)) {
      if (rule) assert.ok(known.has(rule), `${key}: ${rule}`);
    }
  }
});

test('an empty rule is never in effect', () => {
  for (const instant of ['2003-01-01 00', '2003-07-01 12', '2003-12-31 23']) {
    assert.equal(isDaylightSaving(at(instant), ''), false);
  }
});

test('the rule is read in the year of the zone, not of UTC', () => {
  // New Zealand(CHADT) at 2003-12-31 23:00 UTC: its standard time is already 2004.
  const zoneTime = new Date(Date.UTC(2003, 11, 31, 23) + parseOffset('+1245'));
  assert.equal(zoneTime.getUTCFullYear(), 2004);
  assert.equal(isDaylightSaving(zoneTime, '10F03|04F63'), true);
  // A northern rule in the zone's January is off even though UTC is still in December.
  assert.equal(isDaylightSaving(at('2004-01-01 00:30'), '03L01|10L01'), false);
});
