// kestrun-cal, the real program: the iCalendar file through a real parser,
// the exit status, colours only where asked, and the user's holiday table.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import { buildDir, tempFolder } from './harness.mjs';

const program = path.join(buildDir, 'kestrun-cal');
const dataHome = tempFolder('kestrun-cal-');

function cal(...args) {
  const run = spawnSync(program, args, { encoding: 'utf8', env: { ...process.env, XDG_DATA_HOME: dataHome } });
  assert.equal(run.error, undefined);
  return run;
}

// The events of an iCalendar text as Debian's python3-icalendar reads them.
function parsed(ics) {
  const script = `import icalendar, json, sys
print(json.dumps([[str(e['UID']), e['DTSTART'].dt.isoformat(), str(e['SUMMARY'])]
  for e in icalendar.Calendar.from_ical(sys.stdin.buffer.read()).walk('VEVENT')]))`;
  const run = spawnSync('/usr/bin/python3', ['-c', script], { input: ics, encoding: 'utf8' });
  assert.equal(run.status, 0, run.stderr);
  return JSON.parse(run.stdout);
}

test('the 2026 file: every term, festival row and official day, with stable UIDs', () => {
  const holidays = fs.readFileSync(new URL('../../data/cn-holidays.tsv', import.meta.url), 'utf8')
    .split('\n').filter((l) => l.startsWith('2026-')).length;
  const first = cal('--ics', '2026'), second = cal('--ics', '2026');
  assert.equal(first.status, 0);
  assert.doesNotMatch(first.stdout, /[^\r]\n/);
  const events = parsed(first.stdout);
  // 24 terms, 95 + 12 Gregorian rows, the 11 lunar rows (none falls twice in 2026).
  assert.equal(events.length, 24 + 95 + 12 + 11 + holidays);
  assert.equal(new Set(events.map((e) => e[0])).size, events.length);
  assert.deepEqual(parsed(second.stdout).map((e) => e[0]), events.map((e) => e[0]));
  assert.ok(events.some(([, date, summary]) => date === '2026-02-17' && summary === '春节'));
});

test('a bad argument: status 2, one line on standard error; colours only when asked for, as standard output is no terminal', () => {
  const bad = cal('2027', '13');
  assert.deepEqual([bad.status, bad.stdout], [2, '']);
  assert.match(bad.stderr, /^kestrun-cal: [^\n]+\n$/);
  assert.doesNotMatch(cal('2033', '2').stdout, /\x1b/);
  assert.match(cal('--color=always', '2033', '2').stdout, /\x1b\[31m/);
});

test('the user\'s holiday table takes the place of the shipped years it holds', () => {
  const own = path.join(dataHome, 'kestrun', 'holidays.tsv');
  fs.mkdirSync(path.dirname(own), { recursive: true });
  fs.writeFileSync(own, '2026-10-09\t国庆节\toff\n');
  const days = parsed(cal('--ics', '2026').stdout).filter((e) => e[0].endsWith('-holiday@kestrun-cal'));
  assert.deepEqual(days.map((e) => e.slice(1)), [['2026-10-09', '国庆节（休）']]);
  fs.writeFileSync(own, '2026-10-32\t国庆节\toff\n');
  const refused = cal('--ics', '2026');
  assert.equal(refused.status, 0);
  assert.match(refused.stderr, /^kestrun-cal: .*holidays\.tsv: line 1: [^\n]+; the shipped holiday data is used\n$/);
  assert.equal(parsed(refused.stdout).filter((e) => e[0].endsWith('-holiday@kestrun-cal')).length, 39);
});
