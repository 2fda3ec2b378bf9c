// kestrun-cal's months, years and iCalendar events against what the grid
// draws from the same month models.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { loadCal } from './load.mjs';
import { loadView, startView, calendarOnly } from '../page/view/fake-page.mjs';

const cal = loadCal();
cal.calHolidays(null, '');
const grid = loadView({ only: calendarOnly });
grid.useHolidays();
startView(grid);
const months = [[1900, 0], [2026, 9], [2033, 1], [cal.tY, cal.tM]];
const text = (html) => html.replace(/<[^>]*>/g, '').trim();

// Display width: the calendar's texts are ASCII and CJK characters, which
// take two columns.
const width = (s) => [...s].reduce((w, ch) => w + (ch.charCodeAt(0) >= 0x2e80 ? 2 : 1), 0);

// The text between display columns from and to of a line.
function columns(line, from, to) {
  let at = 0, out = '';
  for (const ch of line) {
    if (at >= from && at < to) out += ch;
    at += width(ch);
  }
  return out.trim();
}

// Cell width of a weekday-name line: from 日 to 一 is one cell and its space.
const cellWidth = (line) => width(line.slice(line.indexOf('日'), line.indexOf('一'))) - 1;

// Month m of year y as printed from line `names` (its weekday names) and
// display column `left`, cell by cell against the grid's cells.
function assertLikeGrid(lines, names, left, y, m) {
  const cell = cellWidth(lines[names]);
  grid.drawCld(y, m);
  const rows = Math.ceil((grid.cld.firstWeek + grid.cld.length) / 7);
  for (let n = 0; n < rows * 7; n++) {
    const at = left + (n % 7) * (cell + 1), row = names + 1 + 2 * Math.floor(n / 7);
    const where = `${y}-${m + 1} cell ${n}`;
    assert.equal(columns(lines[row], at, at + cell).replace(/ +/g, ' '),
      [grid['SD' + n].innerHTML, grid['HD' + n].innerHTML].filter(Boolean).join(' '), where);
    assert.equal(columns(lines[row + 1], at, at + cell), text(grid['LD' + n].innerHTML), where);
  }
  assert.equal(columns(lines[names], left, left + 7 * cell + 6).replace(/ +/g, ''), '日一二三四五六');
}

test('a month prints the grid\'s numbers and lower lines, column by column', () => {
  for (const [y, m] of months) {
    const lines = cal.monthText(y, m, false).split('\n');
    assert.match(lines[0], new RegExp(`公元${y}年${m + 1}月 ` + text(grid.yearHeading(grid.eraText(y), y))));
    assertLikeGrid(lines, 1, 0, y, m);
  }
});

test('a year prints its months three a row, each like the grid', () => {
  for (const y of [1900, 2026, 2033, cal.tY]) {
    const lines = cal.yearText(y, false).split('\n');
    const names = lines.flatMap((l, i) => (l.startsWith(' ') && l.trim().startsWith('日') ? [i] : []));
    assert.equal(names.length, 4);
    const cell = cellWidth(lines[names[0]]);
    for (let m = 0; m < 12; m++) {
      assertLikeGrid(lines, names[Math.floor(m / 3)], (m % 3) * (7 * cell + 9), y, m);
    }
  }
});

test('colours do not move a column; today and holidays are painted', () => {
  const plain = cal.monthText(cal.tY, cal.tM, false);
  const painted = cal.monthText(cal.tY, cal.tM, true);
  assert.equal(painted.replace(/\x1b\[[0-9;]*m/g, ''), plain);
  assert.match(painted, new RegExp(`\\x1b\\[[0-9]+;46m${cal.tD}\\x1b\\[0m`));
  assert.match(cal.monthText(2033, 1, true), /\x1b\[31m元宵节\x1b\[0m/);
  assert.match(cal.monthText(2026, 9, true), /\x1b\[31m1\x1b\[0m +\x1b\[97;41m休\x1b\[0m/);
});

test('the iCalendar events of a month are the texts of its month model', () => {
  for (const [y, m] of months) {
    const events = cal.yearEvents(y).filter((e) => e.date.getUTCMonth() === m);
    const model = new cal.calendar(y, m), bare = cal.modelWith(y, m, [[], [], []]);
    for (let d = 0; d < model.length; d++) {
      const r = model[d], day = events.filter((e) => e.date.getUTCDate() === d + 1);
      const kind = (k) => day.filter((e) => e.uid.includes(`-${k}`)).map((e) => e.summary + ' ').join('');
      const where = `${y}-${m + 1}-${d + 1}`;
      assert.equal(kind('term').trim(), r.solarTerms, where);
      assert.equal(kind('sftv') + kind('wftv'), r.solarFestival.slice(0, r.solarFestival.length - bare[d].solarFestival.length), where);
      assert.equal(kind('lftv'), r.lunarFestival, where);
      const h = cal.holidayOf(y, m, d + 1);
      assert.equal(kind('holiday'), h ? `${h.name}（${h.kind === 'off' ? '休' : '班'}） ` : '', where);
    }
  }
});

test('content lines are folded at 75 octets, between characters, with CR LF', () => {
  const line = 'SUMMARY:' + '南京大屠杀纪念日，'.repeat(6) + 'x';
  const folded = cal.icsFold(line);
  assert.ok(folded.endsWith('\r\n'));
  for (const physical of folded.slice(0, -2).split('\r\n')) assert.ok(Buffer.byteLength(physical) <= 75);
  assert.equal(folded.slice(0, -2).replaceAll('\r\n ', ''), line);
  assert.equal(cal.icsEscape('a,b;c\\d'), 'a\\,b\\;c\\\\d');
});

test('command-line forms, and each bad argument with status 2 and one line', () => {
  const run = (...args) => cal.calMain(args, false, null, '');
  assert.equal(run().out, cal.monthText(cal.tY, cal.tM, false));
  assert.equal(run('2027', '2').out, cal.monthText(2027, 1, false));
  assert.equal(run('-y', '2027').out, cal.yearText(2027, false));
  assert.equal(run('--color=always', '2027').out, cal.yearText(2027, true));
  assert.match(run('--ics', '2027').out, /^BEGIN:VCALENDAR\r\n[^]*END:VCALENDAR\r\n$/);
  assert.equal(run('--help').status, 0);
  for (const bad of [['1899', '1'], ['2101'], ['2027', '13'], ['2027', '0'], ['abc'], ['2027', '2月'],
    ['-y', '20x7'], ['--ics', '1899'], ['--color=sometimes'], ['--bogus'], ['2027', '2', '3'], ['-y', '2027', '2']]) {
    const result = run(...bad);
    assert.equal(result.status, 2, bad.join(' '));
    assert.equal(result.out, '');
    assert.match(result.err, /^kestrun-cal: [^\n]+\n$/, bad.join(' '));
  }
});
