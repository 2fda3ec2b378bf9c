import { test } from 'node:test';
import assert from 'node:assert/strict';
import { loadPage } from '../load.mjs';

const page = loadPage({ only: ['worldclock/'] });
const { parseOffset, isDaylightSaving } = page;

// A zone's standard-time reading "YYYY-MM-DD HH" as the instant the rules
// compare (its UTC fields are the wall clock), moved by ms milliseconds.
const at = (text, ms = 0) => new Date(Date.parse(`${text.replace(' ', 'T')}:00Z`) + ms);

// Every rule of the table with its start and end in a year (zone standard
// time). The last two put an 'L' start on the month's last day and an 'F'
// start on the 1st.
const transitions = [
  ['03L01|10L01', '2003-03-30 01', '2003-10-26 01'], ['03L03|09L03', '2003-03-30 03', '2003-09-28 03'],
  ['03L03|10L03', '2003-03-30 03', '2003-10-26 03'], ['04 13|10 13', '2003-04-01 03', '2003-10-01 03'],
  ['04 13|10L03', '2003-04-01 03', '2003-10-26 03'], ['04F02|10L02', '2003-04-06 02', '2003-10-26 02'],
  ['04F03|10L03', '2003-04-06 03', '2003-10-26 03'], ['04F53|09F53', '2003-04-04 03', '2003-09-05 03'],
  ['04F53|10F53', '2003-04-04 03', '2003-10-03 03'], ['04L53|09L43', '2003-04-25 03', '2003-09-25 03'],
  ['09F03|04F03', '2003-09-07 03', '2003-04-06 03'], ['10F03|02L03', '2003-10-05 03', '2003-02-23 03'],
  ['10F03|03F03', '2003-10-05 03', '2003-03-02 03'], ['10F03|04F63', '2003-10-05 03', '2003-04-05 03'],
  ['10F63|04F63', '2003-10-04 03', '2003-04-05 03'], ['11F03|02L03', '2003-11-02 03', '2003-02-23 03'],
  ['03L01|10L01', '2002-03-31 01', '2002-10-27 01'], ['10F03|03F03', '2006-10-01 03', '2006-03-05 03'],
];

test('daylight saving begins one millisecond after the start and ends at the end itself; every rule used is here', () => {
  for (const [rule, start, end] of transitions) {
    const on = (instant, ms) => isDaylightSaving(at(instant, ms), rule);
    assert.deepEqual([on(start, -1), on(start, 0), on(start, 1), on(end, -1), on(end, 0)], [false, false, true, true, false], `${rule} ${start}`);
    // Only rules that run over the turn of the year hold at either end of it.
    const year = start.slice(0, 4), wraps = end < start;
    assert.deepEqual([on(`${year}-01-01 00`, 0), on(`${year}-12-31 23`, 3599999)], [wraps, wraps], rule);
  }
  const used = Object.values(page.timeData).flatMap((c) => Object.values(c).map((zone) => zone[1]));
  const covered = new Set(transitions.map(([rule]) => rule));
  assert.deepEqual(used.filter((rule) => rule && !covered.has(rule)), []);
});

test('offsets are signed in hours and minutes; the rule is read in the zone\'s own year', () => {
  const offsets = ['+0000', '+0800', '-0100', '+1300', '-0830', '-0330', '+0545', '+1245'];
  assert.deepEqual(offsets.map(parseOffset), [0, 28800000, -3600000, 46800000, -30600000, -12600000, 20700000, 45900000]);
  // New Zealand(CHADT) at 2003-12-31 23:00 UTC: its standard time is 2004 already.
  assert.equal(isDaylightSaving(new Date(Date.UTC(2003, 11, 31, 23) + parseOffset('+1245')), '10F03|04F63'), true);
  assert.equal(isDaylightSaving(at('2004-01-01 00', 1), '03L01|10L01'), false);
});
