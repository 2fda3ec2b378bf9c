import { test } from 'node:test';
import assert from 'node:assert/strict';
import { loadClock } from './fakes.mjs';

const H = 3600000;
const utc = (y, mo, d, h = 0, mi = 0, s = 0) => Date.UTC(y, mo - 1, d, h, mi, s);

// What the host gives for a span around the turn of 2026/2027: New York's
// spring change, Apia a day ahead of the entry's -1100, China's local time.
const from = utc(2026, 12, 6), until = utc(2028, 1, 10);
const hostZones = { from, until, local: [[from, 8 * H, 0]], zones: {
  'America/New_York': [[from, -5 * H, 0], [utc(2027, 3, 14, 7), -4 * H, 1], [utc(2027, 11, 7, 6), -5 * H, 0]],
  'Pacific/Apia': [[from, 13 * H, 0]] } };

test('the zone clock and its mark follow the host across a change and over midnight; outside the span, or for a zone the host lacks, the entry\'s own rule', () => {
  const cases = [ // [continent, country, now, text, on summer time]
    [6, 6, utc(2027, 3, 14, 6, 59, 59), '2027年3月14日 (日) 上午 01:59:59', false], // US(Eastern)
    [6, 6, utc(2027, 3, 14, 7), '2027年3月14日 (日) 上午 03:00:00', true],
    [6, 6, utc(2027, 11, 7, 6), '2027年11月7日 (日) 上午 01:00:00', false],
    [9, 31, utc(2026, 12, 7, 10, 59, 59), '2026年12月7日 (一) 下午 11:59:59', false], // Western Samoa
    [9, 31, utc(2026, 12, 7, 11), '2026年12月8日 (二) 上午 00:00:00', false],
    [6, 6, utc(2003, 7, 4, 12), '2003年7月4日 (五) 上午 08:00:00', true], // before the span
    [6, 6, utc(2028, 7, 4, 12), '2028年7月4日 (二) 上午 08:00:00', true], // after it
    [3, 5, utc(2027, 7, 1), '2027年7月1日 (四) 上午 02:00:00', true], // Germany: no id given
  ];
  for (const [a, c, now, text, summer] of cases) {
    const { page, text: shown, marked, local } = loadClock(now, { TZ2: c, TZ1: a }, { hostZones });
    assert.deepEqual([shown, marked, page.isDS], [text, summer, summer], text);
    if (now >= from && now < until) assert.equal(local, page.showUTC(new Date(now + 8 * H)), 'local clock at +08');
  }
});
