// kestrun-cal, the real program: the iCalendar file through a real parser,
// the exit status, colours only where asked, and the user's holiday table.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import { buildDir, tempFolder } from './harness.mjs';

const dataHome = tempFolder();
const own = path.join(dataHome, 'kestrun', 'holidays.tsv');

function cal(...args) {
  const run = spawnSync(path.join(buildDir, 'kestrun-cal'), args,
    { encoding: 'utf8', env: { ...process.env, XDG_DATA_HOME: dataHome } });
  assert.equal(run.error, undefined);
  return run;
}

// The calendar's name and its events [UID, start, end, summary] as Debian's python3-icalendar reads them.
function parsed(ics) {
  const script = `import icalendar, json, sys
c = icalendar.Calendar.from_ical(sys.stdin.buffer.read())
print(json.dumps([str(c['NAME']), str(c['X-WR-CALNAME'])] + [[str(e['UID']), e['DTSTART'].dt.isoformat(),
  e['DTEND'].dt.isoformat(), str(e['SUMMARY'])] for e in c.walk('VEVENT')]))`;
  const run = spawnSync('/usr/bin/python3', ['-c', script], { input: ics, encoding: 'utf8' });
  assert.equal(run.status, 0, run.stderr);
  return JSON.parse(run.stdout);
}
const holidays = (events) => events.filter((e) => e[0].endsWith('-holiday@kestrun-cal'));

test('--ics 2026-2027 --lunar: read by python3-icalendar and imported by khal, a break one event, UIDs stable and unique', () => {
  const first = cal('--ics', '2026-2027', '--lunar'), [name, calName, ...events] = parsed(first.stdout);
  assert.equal(first.status, 0);
  assert.match(first.stderr, /^kestrun-cal: 2027 [^\n]+holidays\.tsv[^\n]*\n$/);  // no official data for 2027 yet
  assert.doesNotMatch(first.stdout, /[^\r]\n/);
  assert.ok(name.startsWith('Kestrun') && name === calName);
  assert.equal(new Set(events.map((e) => e[0])).size, events.length);
  assert.deepEqual(parsed(cal('--ics', '2026-2027', '--lunar').stdout).slice(2).map((e) => e[0]), events.map((e) => e[0]));
  assert.equal(events.filter((e) => e[0].endsWith('-lunar@kestrun-cal')).length, 730);
  assert.deepEqual(events.filter((e) => e[3] === '春节（休）').map((e) => e.slice(1, 3)), [['2026-02-15', '2026-02-24']]);

  const home = tempFolder(), config = path.join(home, 'config'), ics = path.join(home, 'k.ics');
  fs.mkdirSync(path.join(home, 'cal'));
  fs.writeFileSync(ics, first.stdout);
  fs.writeFileSync(config, `[calendars]\n[[kestrun]]\npath = ${home}/cal\n[sqlite]\npath = ${home}/khal.db\n[locale]\n` +
    'timeformat = %H:%M\ndateformat = %Y-%m-%d\nlongdateformat = %Y-%m-%d\n' +
    'datetimeformat = %Y-%m-%d %H:%M\nlongdatetimeformat = %Y-%m-%d %H:%M\n');
  const khal = (...args) => spawnSync('khal', ['-c', config, ...args],
    { encoding: 'utf8', env: { PATH: process.env.PATH, HOME: home, LANG: 'C.UTF-8' } });
  assert.equal(khal('import', '--batch', '-a', 'kestrun', ics).status, 0);
  assert.equal(fs.readdirSync(path.join(home, 'cal')).length, events.length);
  const day = khal('list', '--format', '{uid} {start-date} {end-date} {title}', '2026-02-16', '1d').stdout;
  assert.match(day, /^20260215-holiday@kestrun-cal 2026-02-15 2026-02-23 春节（休）$/m);
  assert.match(day, /^20260216-lunar@kestrun-cal .* 腊月廿九$/m);
});

// Started at a low priority, the engine's threads cannot get back to the
// normal one for an ordinary user, as now and then happens to a thread that
// one of its low-priority threads starts; the engine's report of it is not
// ours to print.
test('standard error carries nothing of the engine, even at a low priority', () => {
  const run = spawnSync('nice', ['-n', '10', path.join(buildDir, 'kestrun-cal'), '--ics', '2026-2027', '--lunar'],
    { encoding: 'utf8', env: { ...process.env, XDG_DATA_HOME: dataHome } });
  assert.match(run.stderr, /^kestrun-cal: 2027 [^\n]+\n$/);
});

test('in a terminal its own width wins over COLUMNS, and colours follow NO_COLOR and TERM', () => {
  const program = path.join(buildDir, 'kestrun-cal');
  const inTerminal = (env, ...args) => spawnSync('script', ['-qec', `stty cols 40; ${program} ${args.join(' ')}`, '/dev/null'],
    { encoding: 'utf8', env: { ...process.env, COLUMNS: '200', TERM: 'xterm', ...env } }).stdout;
  const plain = inTerminal({ NO_COLOR: '' }, '10', '2026'), lines = plain.split('\r\n').filter(Boolean);
  assert.ok(lines.length > 10 && lines.every((l) => [...l].reduce((w, ch) => w + (ch.charCodeAt(0) >= 0x2e80 ? 2 : 1), 0) <= 40), plain);
  assert.deepEqual([{}, { NO_COLOR: '' }, { TERM: 'dumb' }].map((env) => /\x1b\[/.test(inTerminal(env, '10', '2026'))), [true, false, false]);
  assert.ok(cal('-y', '2026').stdout.split('\n').some((l) => l.length > 40));
  assert.ok(spawnSync(program, ['-y', '2026'], { encoding: 'utf8', env: { ...process.env, COLUMNS: '40' } })
    .stdout.split('\n').every((l) => l.length <= 40));
});

test('a bad argument: status 2, one line on standard error; colours only when asked for, as standard output is no terminal', () => {
  const bad = cal('2027', '13');
  assert.deepEqual([bad.status, bad.stdout, /^kestrun-cal: [^\n]+\n$/.test(bad.stderr)], [2, '', true]);
  assert.deepEqual([[], ['--color=always']].map((a) => /\x1b\[/.test(cal(...a, '2033', '2').stdout)), [false, true]);
});

test('the user\'s holiday table takes the place of the shipped years it holds; a bad one is named and left out', () => {
  fs.mkdirSync(path.dirname(own), { recursive: true });
  fs.writeFileSync(own, '2026-10-09\t国庆节\toff\n');
  assert.deepEqual(holidays(parsed(cal('--ics', '2026').stdout).slice(2)).map((e) => e.slice(1)),
    [['2026-10-09', '2026-10-10', '国庆节（休）']]);
  fs.writeFileSync(own, '2026-10-32\t国庆节\toff\n');
  const refused = cal('--ics', '2026');
  assert.equal(refused.status, 0);
  assert.match(refused.stderr, /^kestrun-cal: .*holidays\.tsv: line 1: [^\n]+; the shipped holiday data is used\n$/);
  assert.equal(holidays(parsed(refused.stdout).slice(2)).length, 13);
});
