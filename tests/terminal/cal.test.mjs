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
const text = (html) => html.replace(/<[^>]*>/g, '').trim();
const run = (args, out = {}) => cal.calMain(args, { tty: false, width: 80, noColor: false, term: 'xterm', version: '1', ...out }, null, '/h.tsv');

// Display width: ASCII takes one column, CJK characters two.
const width = (s) => [...s].reduce((w, ch) => w + (ch.charCodeAt(0) >= 0x2e80 ? 2 : 1), 0);
const cut = (s, w) => { let out = ''; for (const ch of s) { if (width(out + ch) > w) break; out += ch; } return out; };
const columns = (line, from, to) => { // the text between two display columns
  let at = 0, out = '';
  for (const ch of line) { if (at >= from && at < to) out += ch; at += width(ch); }
  return out.trim();
};

// Every month block of printed lines (found by its weekday-name line) holds
// the grid's days of the next month of `months`, cell by cell, cut to its cells.
function assertLikeGrid(lines, months, { monday = false, weeks = false } = {}) {
  const names = lines.flatMap((l, i) => (/^ *(日|一) +(一|二) /.test(l.replace(/^\d\d /, '   ')) ? [i] : []));
  const first = lines[names[0]], cell = width(first.slice(first.indexOf('二'), first.indexOf('三'))) - 1;
  const full = 7 * cell + 6 + (weeks ? 3 : 0), perRow = Math.floor((width(first) + 6) / (full + 3)) || 1;
  assert.equal(names.length, Math.ceil(months.length / perRow));
  months.forEach(([y, m], k) => {
    const row = names[Math.floor(k / perRow)], left = (k % perRow) * (full + 3) + (weeks ? 3 : 0);
    assert.equal(columns(lines[row], left, left + 7 * cell + 6).replace(/ +/g, ''), monday ? '一二三四五六日' : '日一二三四五六');
    grid.drawCld(y, m);
    const start = (grid.cld.firstWeek + 7 - (monday ? 1 : 0)) % 7;
    for (let d = 0; d < grid.cld.length; d++) {
      const n = grid.cld.firstWeek + d, at = left + ((start + d) % 7) * (cell + 1), line = row + 1 + 2 * Math.floor((start + d) / 7);
      const upper = [grid['SD' + n].innerHTML, grid['HD' + n].innerHTML].filter(Boolean).join(' ');
      assert.equal(columns(lines[line], at, at + cell).replace(/ +/g, ' ').replace(/(\d)(休|班)/, '$1 $2'), upper, `${y}-${m + 1}-${d + 1}`);
      assert.equal(columns(lines[line + 1], at, at + cell), cut(text(grid['LD' + n].innerHTML), cell).trim(), `${y}-${m + 1}-${d + 1}`);
    }
  });
}

test('every layout at 40, 80, 120 and 200 columns fits its width and shows the grid\'s days', () => {
  const year = (y) => Array.from({ length: 12 }, (_, m) => [y, m]);
  const layouts = [[['10', '2026'], [[2026, 9]]], [['-m', '-w', '2026', '10'], [[2026, 9]], { monday: true, weeks: true }],
    [['-y', '2026'], year(2026)], [['-y', '-w', '-m', '1900'], year(1900), { monday: true, weeks: true }],
    [['-3', '1', '1900'], [[1900, 0], [1900, 1]]], [['-3', '-w', '12', '2033'], [[2033, 10], [2033, 11], [2034, 0]], { weeks: true }]];
  for (const columnsWide of [40, 80, 120, 200]) {
    for (const [args, months, options] of layouts) {
      const { out, status } = run(args, { width: columnsWide }), lines = out.split('\n');
      assert.equal(status, 0);
      assert.ok(lines.every((l) => width(l) <= columnsWide), `${args.join(' ')} at ${columnsWide}`);
      assertLikeGrid(lines, months, options);
    }
  }
  // A full year three months a row once there is room for 7 columns of 4; a single month never wider than 80.
  assert.deepEqual(run(['-y', '2026'], { width: 120 }).out.split('\n')[2].trim().split(/ +/), ['1月', '2月', '3月']);
  assert.ok(run(['10', '2026'], { width: 200 }).out.split('\n').every((l) => width(l) <= 80));
  // ISO weeks: the row's Monday decides, 53 for the turn of 2020 and of 2026.
  assert.match(run(['-w', '1', '2021']).out.split('\n')[2], /^53 /);
  assert.match(run(['-w', '-m', '1', '2027']).out.split('\n')[2], /^53 /);
  assert.match(run(['-w', '-m', '1', '2027']).out.split('\n')[4], /^01 /);
});

test('colours do not move a column, and are off for NO_COLOR, TERM=dumb and a pipe unless asked for', () => {
  const painted = (args, out) => /\x1b\[/.test(run(args, out).out);
  assert.deepEqual([painted([], { tty: true }), painted([], { tty: true, noColor: true }), painted([], { tty: true, term: 'dumb' }),
    painted([]), painted(['--color=always']), painted(['--color=never'], { tty: true })], [true, false, false, false, true, false]);
  const today = run(['--color=always']).out;
  assert.equal(today.replace(/\x1b\[[0-9;]*m/g, ''), run([]).out);
  assert.match(today, new RegExp(`\\x1b\\[[0-9]+;46m${cal.tD}\\x1b\\[0m`));
  assert.match(run(['--color=always', '10', '2026']).out, /\x1b\[31m1\x1b\[0m +\x1b\[97;41m休\x1b\[0m/);
  assert.doesNotMatch(run(['--color=always', '-y', '2026']).out, /\x1b\[34m/);  // no dark blue
  const monday = run(['--color=always', '-m', '10', '2026']).out;  // Sunday 11 red at the row's end, Monday 12 not
  assert.deepEqual([/\x1b\[31m11\x1b\[0m\n/.test(monday), /\x1b\[31m12\x1b/.test(monday)], [true, false]);
});

test('the iCalendar events of a year are the texts of its month models; a break is one event over its days', () => {
  for (const y of [1900, 2026, 2033]) {
    const events = cal.rangeEvents(y, y, true);
    for (let m = 0; m < 12; m++) {
      const model = new cal.calendar(y, m), bare = cal.modelWith(y, m, [[], [], []]);
      for (let d = 0; d < model.length; d++) {
        const r = model[d], h = cal.holidayOf(y, m, d + 1), t = Date.UTC(y, m, d + 1), where = `${y}-${m + 1}-${d + 1}`;
        const day = events.filter((e) => e.date.getTime() === t);
        const kind = (k) => day.filter((e) => e.uid.includes(`-${k}`)).map((e) => e.summary + ' ').join('');
        const official = events.filter((e) => e.uid.endsWith('-holiday@kestrun-cal') && e.date <= t && t < e.end);
        const shown = [kind('term').trim(), kind('sftv') + kind('wftv'), kind('lftv'), [...official.map((e) => e.summary)]];
        assert.deepEqual(shown, [r.solarTerms,
          r.solarFestival.slice(0, r.solarFestival.length - bare[d].solarFestival.length), r.lunarFestival,
          h ? [`${h.name}（${h.kind === 'off' ? '休' : '班'}）`] : []], where);
        assert.equal(kind('lunar').trim().slice(-2), cal.cDay(r.lDay), where);
      }
    }
  }
  assert.match(cal.icsText(2026, 2026, false, 0), /SUMMARY:冬至\r\nDESCRIPTION:交节 2026-12-22 04:50（北京时间）\r\nCATEGORIES:节气\r\n/);
  const a = cal.dayAlmanac(2026, 11, 8);
  assert.ok(cal.icsText(2026, 2026, true, 0).replaceAll('\r\n ', '').includes(
    `UID:20261208-lunar@kestrun-cal\r\n${'DTSTAMP:19700101T000000Z'}\r\nDTSTART;VALUE=DATE:20261208\r\nDTEND;VALUE=DATE:20261209\r\n` +
    `SUMMARY:十月三十\r\nDESCRIPTION:宜：${a.yi.join(' ')}\\n忌：${a.ji.join(' ')}\r\n`));
  const titles = (y, m, d) => cal.rangeEvents(y, y, true).filter((e) => e.uid.startsWith(`${y}${m}${d}-lunar`)).map((e) => e.summary);
  assert.deepEqual([...[titles(2026, '02', '17'), titles(2025, '07', '25'), titles(2026, '12', '09')].map((t) => [...t])],
    [['正月初一'], ['闰六月初一'], ['冬月初一']]);
  // A break over the turn of the year is one event whichever year is asked for.
  const own = '2026-12-31\t元旦\toff\n2027-01-01\t元旦\toff\n2027-01-02\t元旦\toff\n';
  for (const y of [2026, 2027]) {
    const { out } = cal.calMain(['--ics', String(y)], { version: '1' }, own, '/h.tsv');
    assert.match(out, /DTSTART;VALUE=DATE:20261231\r\nDTEND;VALUE=DATE:20270103\r\nSUMMARY:元旦（休）/);
  }
  const line = 'SUMMARY:' + '南京大屠杀纪念日，'.repeat(6) + 'x', folded = cal.icsFold(line);
  assert.ok(folded.endsWith('\r\n') && folded.slice(0, -2).split('\r\n').every((l) => Buffer.byteLength(l) <= 75));
  assert.equal(folded.slice(0, -2).replaceAll('\r\n ', ''), line);
  assert.equal(cal.icsEscape('a,b;c\\d'), 'a\\,b\\;c\\\\d');
  cal.calHolidays(null, '');
});

test('command-line forms in either order, and each bad one with status 2 and one line', () => {
  const same = [[[], [cal.tY, cal.tM]], [['10', '2026'], [2026, 9]], [['2026', '10'], [2026, 9]], [['-m', '2', '2027'], [2027, 1, 1]]];
  for (const [args, [y, m, monday]] of same) assert.equal(run(args).out, cal.monthText(y, m, new cal.calLayout(80, !!monday)));
  assert.deepEqual([run(['2027']).out, run(['-3', '2027', '1'], { width: 120 }).out.split('\n')[0].trim().split(/ +/)],
    [run(['-y', '2027']).out, ['2026年12月', '2027年1月', '2027年2月']]);
  assert.deepEqual([run(['--version']).out, run(['--help']).status], ['kestrun-cal 1\n', 0]);
  assert.match(run(['--help']).out, /\/h\.tsv/);
  assert.ok(run(['--help']).out.split('\n').every((l) => width(l) <= 80));
  assert.deepEqual(['2026', '2026-2027'].map((a) => run(['--ics', a]).out.match(/BEGIN:VEVENT/g).length > 0), [true, true]);
  assert.equal(cal.missingYears(1999, 2100), '1999-2006、2027-2100');  // the years without official data, in runs
  for (const bad of [['1899', '1'], ['2101'], ['2027', '13'], ['13', '2027'], ['2', '3'], ['2027', '2月'], ['-y', '20x7'],
    ['--color=sometimes'], ['--bogus'], ['2027', '2', '3'], ['2027', '0'], ['-y', '2027', '2'], ['-y', '-3'], ['--lunar'],
    ['--ics', '2027-2026'], ['--ics', '2026-2101'], ['--ics', '-m'], ['--ics', '2026', '2027'], ['--day', '2026-02-30'],
    ['--day', '1899-12-31'], ['--day', '20261208'], ['--day', '-w', '2026-12-08'], ['--good', '嫁娶', '2027', '2', '3'],
    ['--good', '嫁娶', '2027', '13'], ['--good', '嫁娶', '2101'], ['--day', '--good']]) {
    const { status, out, err } = run(bad);
    assert.match(`${status} ${out}|${err}`, /^2 \|kestrun-cal: [^\n]+\n$/, bad.join(' '));
  }
  // "--" ends the options; what an argument carries of escape sequences is shown, not sent to the terminal.
  assert.deepEqual([run(['-m', '--', '2', '2027']).out, run(['--', '-y']).err],
    [run(['-m', '2', '2027']).out, 'kestrun-cal: 年份须为数字：-y（用法见 kestrun-cal --help）\n']);
  assert.equal(run(['--x\x1b]0;t\x07\x9b\u202e']).err, 'kestrun-cal: 不认识的选项：--x\\x1b]0;t\\x07\\u009b\\u202e（用法见 kestrun-cal --help）\n');
});

test('days of one\'s own: marked in the month, every year in --ics, a bad line named and the rest applied', () => {
  const days = { text: 'lunar\t1956-03-05\t妈妈生日\t电话\nbad\n', path: '/d.tsv' };
  const own = (args) => cal.calMain(args, { tty: false, width: 80, version: '1' }, null, '/h.tsv', days);
  const { out, err } = own(['--ics', '2026-2030']);
  assert.deepEqual(out.match(/DTSTART;VALUE=DATE:\d+(?=\r\nDTEND;VALUE=DATE:\d+\r\nSUMMARY:妈妈\d+岁生日)/g).map((l) => l.slice(-8)),
    ['20260421', '20270411', '20280330', '20290418', '20300407']);
  assert.match(out, /UID:20270411-own-[0-9a-f]+@kestrun-cal\r\n(.*\r\n){3}SUMMARY:妈妈71岁生日\r\nDESCRIPTION:农历三月初五；电话\r\n/);
  assert.match(err, /^kestrun-cal: \/d.tsv: line 2: not three or four fields separated by tabs; the line is left out\n/);
  assert.match(own(['4', '2027']).out, /\n\*妈妈71岁 /);
  assert.match(own(['--day', '2027-04-11']).out, /\n纪念 +妈妈71岁生日 电话\n/);
  cal.calOwnDays(null, '');
});

test('a clock past 2100: without a date, December 2100 and a line on standard error', () => {
  const late = loadCal(Date.UTC(2101, 2, 1, 12)), out = { tty: false, width: 80, version: '1' };
  const bare = late.calMain([], out, null, ''), dated = late.calMain(['2027', '2'], out, null, '');
  assert.deepEqual([bare.status, bare.out, bare.err, dated.err], [0, late.monthText(2100, 11, new late.calLayout(80, false, false, false)),
    'kestrun-cal: 系统日期 2101-03-01 超出 1900–2100，显示 2100年12月\n', '']);
});

// The card's labelled lines, a label's wrapped lines joined: { label: text }.
function cardFields(out) {
  const fields = {};
  let label;
  for (const line of out.split('\n').slice(3, -1)) {
    if (!line.startsWith(' ')) [, label] = line.match(/^(\S+)/);
    fields[label] = ((fields[label] ?? '') + ' ' + columns(line, 10, 200)).trim();
  }
  return fields;
}

test('--day: the day\'s record and almanac, wrapped within the width, coloured only as asked', () => {
  for (const [y, m, d] of [[2026, 12, 8], [2026, 10, 1], [2026, 12, 22], [2100, 12, 31]]) {
    const r = new cal.calendar(y, m - 1)[d - 1], a = cal.dayAlmanac(y, m - 1, d), h = cal.holidayOf(y, m - 1, d);
    const all = (w) => w.join(' ');
    const expected = Object.fromEntries(Object.entries({
      节气: r.solarTerms && `${r.solarTerms} ${cal.sTermText(y, cal.termIndex(r)).slice(11)}（北京时间）`,
      节日: (r.lunarFestival + ' ' + r.solarFestival).trim().replace(/\s+/g, ' '), 放假: h && `${h.name} ${h.kind === 'off' ? '放假' : '调休上班'}`,
      宜: all(a.yi), 忌: all(a.ji), 冲煞: a.chongSha, 值神: a.tianShen + (a.huangDao ? '（黄道）' : '（黑道）'), 建除: a.jianChu,
      二十八宿: a.xiu, 彭祖百忌: a.pengZu, 纳音: a.naYin, 胎神: a.taiShen, 吉神宜趋: all(a.jiShen), 凶神宜忌: all(a.xiongSha),
    }).filter(([, v]) => v));
    for (const columnsWide of [40, 80, 200]) {
      const { out, status } = run(['--day', `${y}-${m}-${d}`], { width: columnsWide }), where = `${y}-${m}-${d} at ${columnsWide}`;
      assert.equal(status, 0);
      assert.deepEqual(out.split('\n').slice(0, 3), [`${y}年${m}月${d}日 星期${r.week}`,
        `农历${cal.cyclical(r.lYear - 1900 + 36)}年${cal.lunarTitle(r)} 【${cal.Animals[(r.lYear - 4) % 12]}年】`,
        `${r.cYear}年 ${r.cMonth}月 ${r.cDay}日`], where);
      assert.deepEqual(cardFields(out), expected, where);
      assert.ok(out.split('\n').every((l) => width(l) <= Math.min(columnsWide, 80)), where);
    }
  }
  assert.equal(cardFields(run(['--day', '2026-12-08']).out).宜, '入宅 安床 开光 祭祀 出火 拆卸 动土 挂匾 入殓 破土 安葬 纳畜');
  assert.equal(run(['--day']).out, run(['--day', `${cal.tY}-${cal.tM + 1}-${cal.tD}`]).out);
  const painted = run(['--day', '2026-10-01'], { tty: true }).out;
  assert.match(painted, /\x1b\[97;42m宜\x1b\[0m/);
  assert.equal(painted.replace(/\x1b\[[0-9;]*m/g, ''), run(['--day', '2026-10-01']).out);
  assert.doesNotMatch(run(['--day', '2026-10-01'], { tty: true, noColor: true }).out, /\x1b/);
  const steering = cal.calMain(['--day', '2027-04-11'], { width: 80, version: '1' }, null, '', { text: 'lunar\t03-05\t生日\t\x1b[2J清屏\n', path: '' });
  assert.match(steering.out, /\n纪念 +生日 \[2J清屏\n/);
  cal.calOwnDays(null, '');
  // Before the almanac's first day, the rest of the card.
  assert.deepEqual(Object.keys(cardFields(run(['--day', '1900-01-01']).out)), ['节日']);
});

test('--good: the days whose 宜 has the activity and whose 忌 has not; an unknown activity lists the known ones', () => {
  const lines = (args) => run(args).out.split('\n').filter(Boolean);
  const year = lines(['--good', '嫁娶', '2027']), expected = [], models = Array.from({ length: 12 }, (_, m) => new cal.calendar(2027, m));
  for (let t = Date.UTC(2027, 0, 1); t < Date.UTC(2028, 0, 1); t += 86400000) {
    const day = new Date(t), [m, d] = [day.getUTCMonth(), day.getUTCDate()], a = cal.dayAlmanac(2027, m, d), r = models[m][d - 1];
    if (a.yi.includes('嫁娶') && !a.ji.includes('嫁娶')) {
      expected.push([day.toISOString().slice(0, 10), '星期' + r.week, cal.lunarTitle(r), a.tianShen, a.huangDao ? '黄道' : '黑道', a.jianChu]);
    }
  }
  assert.deepEqual(year.map((l) => l.split(/ +/)), expected);
  assert.ok(expected.length > 50 && year.every((l) => width(l) <= 80));
  const february = year.filter((l) => l.startsWith('2027-02'));
  assert.deepEqual([lines(['--good', '嫁娶', '2', '2027']), lines(['--good', '嫁娶', '2027', '2'])], [february, february]);
  assert.deepEqual(lines(['--good', '嫁娶', '2027-2028']), year.concat(lines(['--good', '嫁娶', '2028'])));
  assert.deepEqual(lines(['--good', '嫁娶']), lines(['--good', '嫁娶', String(cal.tY)]));
  // No row of the table has a word in both lists: a day is made to have one.
  const dayAlmanac = cal.dayAlmanac;
  cal.dayAlmanac = (y, m, d) => Object.assign(dayAlmanac(y, m, d), y === 2027 && m === 0 && d === 1 ? { ji: ['嫁娶'] } : {});
  try { assert.deepEqual(lines(['--good', '嫁娶', '1', '2027']), year.filter((l) => l.startsWith('2027-01')).slice(1)); }
  finally { cal.dayAlmanac = dayAlmanac; }

  const unknown = run(['--good', '飞行']), known = run(['--good']);
  assert.deepEqual([unknown.status, unknown.out, known.status], [2, '', 0]);
  assert.match(unknown.err, /^kestrun-cal: 不认识的事项：飞行。可查的事项：\n安葬 祭祀 嫁娶 /);
  assert.equal(unknown.err.slice(unknown.err.indexOf('\n') + 1), known.out);
  const names = known.out.split(/\s+/).filter(Boolean);
  assert.ok(names.includes('雇佣') && !names.includes('馀事勿取') && !names.includes('无') && !names.includes('探病'));
  assert.deepEqual(run(['--good', '馀事勿取']).status, 2);
});
