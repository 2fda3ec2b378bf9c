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

// The events [UID, date, summary] of an iCalendar text as Debian's python3-icalendar reads them.
function parsed(ics) {
  const script = `import icalendar, json, sys
print(json.dumps([[str(e['UID']), e['DTSTART'].dt.isoformat(), str(e['SUMMARY'])]
  for e in icalendar.Calendar.from_ical(sys.stdin.buffer.read()).walk('VEVENT')]))`;
  const run = spawnSync('/usr/bin/python3', ['-c', script], { input: ics, encoding: 'utf8' });
  assert.equal(run.status, 0, run.stderr);
  return JSON.parse(run.stdout);
}
const holidays = (events) => events.filter((e) => e[0].endsWith('-holiday@kestrun-cal'));

test('the 2026 file: every term, festival row and official day, with stable UIDs', () => {
  const shipped = fs.readFileSync(new URL('../../data/cn-holidays.tsv', import.meta.url), 'utf8')
    .split('\n').filter((l) => l.startsWith('2026-')).length;
  const first = cal('--ics', '2026'), events = parsed(first.stdout);
  assert.equal(first.status, 0);
  assert.doesNotMatch(first.stdout, /[^\r]\n/);
  // 24 terms, 95 + 12 Gregorian rows, the 11 lunar rows (none falls twice in 2026).
  assert.equal(events.length, 24 + 95 + 12 + 11 + shipped);
  assert.equal(new Set(events.map((e) => e[0])).size, events.length);
  assert.deepEqual(parsed(cal('--ics', '2026').stdout).map((e) => e[0]), events.map((e) => e[0]));
  assert.ok(events.some(([, date, summary]) => date === '2026-02-17' && summary === '春节'));
});

test('a bad argument: status 2, one line on standard error; colours only when asked for, as standard output is no terminal', () => {
  const bad = cal('2027', '13');
  assert.deepEqual([bad.status, bad.stdout, /^kestrun-cal: [^\n]+\n$/.test(bad.stderr)], [2, '', true]);
  assert.deepEqual([[], ['--color=always']].map((a) => /\x1b\[/.test(cal(...a, '2033', '2').stdout)), [false, true]);
});

test('the user\'s holiday table takes the place of the shipped years it holds; a bad one is named and left out', () => {
  fs.mkdirSync(path.dirname(own), { recursive: true });
  fs.writeFileSync(own, '2026-10-09\t国庆节\toff\n');
  assert.deepEqual(holidays(parsed(cal('--ics', '2026').stdout)).map((e) => e.slice(1)), [['2026-10-09', '国庆节（休）']]);
  fs.writeFileSync(own, '2026-10-32\t国庆节\toff\n');
  const refused = cal('--ics', '2026');
  assert.equal(refused.status, 0);
  assert.match(refused.stderr, /^kestrun-cal: .*holidays\.tsv: line 1: [^\n]+; the shipped holiday data is used\n$/);
  assert.equal(holidays(parsed(refused.stdout)).length, 39);
});
