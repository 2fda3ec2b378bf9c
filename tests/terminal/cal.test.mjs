// kestrun-cal's months, years and iCalendar events against what the grid
// draws from the same month models.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import vm from 'node:vm';
import { loadPage } from '../page/load.mjs';
import { loadView } from '../page/view/fake-page.mjs';

// What kestrun-cal runs (terminal/scripts.list): the listed page pieces, then its own.
const dir = new URL('../../terminal/', import.meta.url);
const entries = fs.readFileSync(new URL('scripts.list', dir), 'utf8').split('\n').map((l) => l.trim()).filter((l) => l && !l.startsWith('#'));
function loadCal(now) {
  const cal = loadPage({ now, only: entries.filter((e) => e.startsWith('page ')).map((e) => e.slice(5)) });
  for (const own of entries.filter((e) => !e.startsWith('page '))) vm.runInContext(fs.readFileSync(new URL(own, dir), 'utf8'), cal, { filename: own });
  cal.calHolidays(null, '');
  return cal;
}
const cal = loadCal();
const grid = loadView();
grid.useHolidays();
const years = [1900, 2026, 2033, cal.tY];
const text = (html) => html.replace(/<[^>]*>/g, '').trim();

// Display width: ASCII takes one column, CJK characters two.
const width = (s) => [...s].reduce((w, ch) => w + (ch.charCodeAt(0) >= 0x2e80 ? 2 : 1), 0);
const columns = (line, from, to) => { // the text between two display columns
  let at = 0, out = '';
  for (const ch of line) { if (at >= from && at < to) out += ch; at += width(ch); }
  return out.trim();
};
// Cell width of a weekday-name line: from 日 to 一 is one cell and its space.
const cellWidth = (line) => width(line.slice(line.indexOf('日'), line.indexOf('一'))) - 1;

// Month m of year y printed below weekday names on line `names`, from
// display column `left`, cell by cell against the grid's cells.
function assertLikeGrid(lines, names, left, y, m) {
  const cell = cellWidth(lines[names]);
  grid.drawCld(y, m);
  for (let n = 0; n < Math.ceil((grid.cld.firstWeek + grid.cld.length) / 7) * 7; n++) {
    const at = left + (n % 7) * (cell + 1), row = names + 1 + 2 * Math.floor(n / 7), where = `${y}-${m + 1} cell ${n}`;
    const upper = [grid['SD' + n].innerHTML, grid['HD' + n].innerHTML].filter(Boolean).join(' ');
    assert.equal(columns(lines[row], at, at + cell).replace(/ +/g, ' '), upper, where);
    assert.equal(columns(lines[row + 1], at, at + cell), text(grid['LD' + n].innerHTML), where);
  }
  assert.equal(columns(lines[names], left, left + 7 * cell + 6).replace(/ +/g, ''), '日一二三四五六');
}

test('a month and a year (three months a row) print the grid\'s cells column by column, colours or not', () => {
  const lines = cal.monthText(1900, 0, false).split('\n');
  assert.match(lines[0], new RegExp('公元1900年1月 ' + text(grid.yearHeading(grid.eraText(1900), 1900))));
  assertLikeGrid(lines, 1, 0, 1900, 0);
  for (const y of years) {
    const lines = cal.yearText(y, false).split('\n');
    const names = lines.flatMap((l, i) => (l.startsWith(' ') && l.trim().startsWith('日') ? [i] : []));
    const cell = cellWidth(lines[names[0]]);
    for (let m = 0; m < 12; m++) assertLikeGrid(lines, names[Math.floor(m / 3)], (m % 3) * (7 * cell + 9), y, m);
  }
  // Colours do not move a column; today and holidays are painted.
  const painted = cal.monthText(cal.tY, cal.tM, true);
  assert.equal(painted.replace(/\x1b\[[0-9;]*m/g, ''), cal.monthText(cal.tY, cal.tM, false));
  assert.match(painted, new RegExp(`\\x1b\\[[0-9]+;46m${cal.tD}\\x1b\\[0m`));
  assert.match(cal.monthText(2026, 9, true), /\x1b\[31m1\x1b\[0m +\x1b\[97;41m休\x1b\[0m/);
});

test('the iCalendar events of a year are the texts of its month models, folded at 75 octets with CR LF', () => {
  for (const y of years) {
    const events = cal.yearEvents(y);
    for (let m = 0; m < 12; m++) {
      const model = new cal.calendar(y, m), bare = cal.modelWith(y, m, [[], [], []]);
      for (let d = 0; d < model.length; d++) {
        const r = model[d], h = cal.holidayOf(y, m, d + 1), where = `${y}-${m + 1}-${d + 1}`;
        const day = events.filter((e) => e.date.getUTCMonth() === m && e.date.getUTCDate() === d + 1);
        const kind = (k) => day.filter((e) => e.uid.includes(`-${k}`)).map((e) => e.summary + ' ').join('');
        assert.deepEqual([kind('term').trim(), kind('sftv') + kind('wftv'), kind('lftv'), kind('holiday')], [r.solarTerms,
          r.solarFestival.slice(0, r.solarFestival.length - bare[d].solarFestival.length), r.lunarFestival,
          h ? `${h.name}（${h.kind === 'off' ? '休' : '班'}） ` : ''], where);
      }
    }
  }
  const line = 'SUMMARY:' + '南京大屠杀纪念日，'.repeat(6) + 'x', folded = cal.icsFold(line);
  assert.ok(folded.endsWith('\r\n') && folded.slice(0, -2).split('\r\n').every((l) => Buffer.byteLength(l) <= 75));
  assert.equal(folded.slice(0, -2).replaceAll('\r\n ', ''), line);
  assert.equal(cal.icsEscape('a,b;c\\d'), 'a\\,b\\;c\\\\d');
});

test('command-line forms, and each bad argument with status 2 and one line', () => {
  const run = (...args) => cal.calMain(args, false, null, '');
  assert.deepEqual([run(), run('2027', '2'), run('-y', '2027'), run('--color=always', '2027')].map((r) => r.out),
    [cal.monthText(cal.tY, cal.tM, false), cal.monthText(2027, 1, false), cal.yearText(2027, false), cal.yearText(2027, true)]);
  assert.equal(run('--help').status, 0);
  for (const bad of [['1899', '1'], ['2101'], ['2027', '13'], ['2027', '2月'], ['-y', '20x7'], ['--color=sometimes'],
    ['--bogus'], ['2027', '2', '3'], ['2027', '0'], ['-y', '2027', '2']]) {
    const { status, out, err } = run(...bad);
    assert.match(`${status} ${out}|${err}`, /^2 \|kestrun-cal: [^\n]+\n$/, bad.join(' '));
  }
});

test('a clock past 2100: without a date, December 2100 and a line on standard error', () => {
  const late = loadCal(Date.UTC(2101, 2, 1, 12));
  const bare = late.calMain([], false, null, ''), dated = late.calMain(['2027', '2'], false, null, '');
  assert.deepEqual([bare.status, bare.out, bare.err, dated.err], [0, late.monthText(2100, 11, false),
    'kestrun-cal: 系统日期 2101-03-01 超出 1900–2100，显示 2100年12月\n', '']);
});
