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
  const described = spawnSync('/usr/bin/python3', ['-c', `import icalendar, sys
for e in icalendar.Calendar.from_ical(sys.stdin.buffer.read()).walk('VEVENT'):
  if str(e['UID']) == '20261208-lunar@kestrun-cal': print(str(e['DESCRIPTION']))`], { input: first.stdout, encoding: 'utf8' });
  assert.match(described.stdout, /^宜：入宅 安床 [^\n]+ 纳畜\n忌：嫁娶 开市 [^\n]+ 伐木\n$/);

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
  fs.unlinkSync(own);
});

test('a line of days.tsv that is not UTF-8 is named and left out, the others applied', () => {
  const days = path.join(dataHome, 'kestrun', 'days.tsv');
  fs.mkdirSync(path.dirname(days), { recursive: true });
  fs.writeFileSync(days, Buffer.concat([Buffer.from('solar\t04-12\t'), Buffer.from([0xC9, 0xFA]), Buffer.from('\nsolar\t04-13\t纪念\n')]));
  const run = cal('4', '2027');
  assert.match(run.stdout, /\*纪念/);
  assert.equal(run.stderr, `kestrun-cal: ${days}: line 1: not UTF-8 text; the line is left out\n`);
  fs.unlinkSync(days);
});

// A days.tsv at the reader's 1 MiB limit, in the shortest lines, so as many
// days as a valid file can hold (about 75,000): the export makes each year's
// events a month at a time and writes them as it goes. Peak memory is what
// the kernel gives for the child (VmHWM, through getrusage).
test('--ics over three years with a 1 MiB days.tsv stays under 100 MB and ends its file', () => {
  const data = tempFolder(), lines = [];
  for (let i = 0, size = 0; size + 14 <= 1 << 20; i++, size += 14)
    lines.push(`${i % 2 ? 'lunar' : 'solar'}\t${String(i % 12 + 1).padStart(2, '0')}-${String(i % 28 + 1).padStart(2, '0')}\tx`);
  fs.mkdirSync(path.join(data, 'kestrun'));
  fs.writeFileSync(path.join(data, 'kestrun', 'days.tsv'), lines.join('\n') + '\n');
  const script = `import json, resource, subprocess, sys
run = subprocess.Popen(sys.argv[1:], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
size, tail = 0, b''
for chunk in iter(lambda: run.stdout.read(1 << 16), b''):
    size, tail = size + len(chunk), (tail + chunk)[-15:]
print(json.dumps([run.wait(), size, tail.decode(), resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss]))`;
  const run = spawnSync('/usr/bin/python3', ['-c', script, path.join(buildDir, 'kestrun-cal'), '--ics', '2026-2028'],
    { encoding: 'utf8', env: { ...process.env, XDG_DATA_HOME: data } });
  const [status, size, tail, peakKiB] = JSON.parse(run.stdout);
  assert.deepEqual([status, tail], [0, 'END:VCALENDAR\r\n'], run.stderr);
  assert.ok(size > 3 * lines.length * 200, `${size} bytes`);  // every day, every year
  assert.ok(peakKiB < 100 * 1024, `${peakKiB} KiB at its peak`);
});

test('a standard output that fails ends the export with status 1 and says why', () => {
  const full = fs.openSync('/dev/full', 'w');
  const run = spawnSync(path.join(buildDir, 'kestrun-cal'), ['--ics', '2026-2030'],
    { stdio: ['ignore', full, 'pipe'], encoding: 'utf8', env: { ...process.env, XDG_DATA_HOME: dataHome } });
  fs.closeSync(full);
  assert.equal(run.status, 1);
  assert.match(run.stderr, /^kestrun-cal: standard output: .+$/m);
});
