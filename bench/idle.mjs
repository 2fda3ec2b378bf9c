// Idle cost of the ticking clock: CPU milliseconds and context switches per
// second of Kestrun's processes (the program and the engine processes it
// starts) while nothing but the clocks moves, against a bare WebKitGTK window
// showing a one-colour page (bench/bare), measured in turns on one X display
// of their own so that the machine's other load falls on both alike.
// Figures are medians over the rounds, per process and for the whole tree.
//
// Run by hand: [KESTRUN_BUILD_DIR=build] node bench/idle.mjs [rounds] [seconds] [--minimised] [--covered] [--quick]
//   rounds (default 5) of seconds (default 60) each, Kestrun and the bare
//   window alternating; --minimised and --covered add a turn of Kestrun
//   minimised, or under a window that covers the screen. --quick: one round
//   of two seconds with both of those turns, no warm-up, for the test suite
//   (the figures mean nothing).
import { spawn } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { Kestrun, buildDir, descendantPids, programPath, sleep, until } from '../tests/e2e/harness.mjs';

const args = process.argv.slice(2);
const numbers = args.filter((a) => /^\d+$/.test(a)).map(Number);
const quick = args.includes('--quick');
const rounds = quick ? 1 : numbers[0] || 5;
const seconds = quick ? 2 : numbers[1] || 60;
const SETTLE = quick ? 1000 : 5000;
const barePath = path.join(buildDir, 'bench/bare/bare_window');
const median = (xs) => [...xs].sort((a, b) => a - b)[xs.length >> 1];

function read(file) {
  try {
    return fs.readFileSync(file, 'utf8');
  } catch {
    return null; // ended meanwhile
  }
}

function tasks(pid) {
  try {
    return fs.readdirSync(`/proc/${pid}/task`);
  } catch {
    return []; // ended meanwhile
  }
}

// Run time (ns, from the scheduler) and context switches of every thread of
// the process tree, by thread id, with the name of its process.
function usage(pid) {
  const threads = new Map();
  for (const p of [pid, ...descendantPids(pid)]) {
    const name = read(`/proc/${p}/comm`)?.trim();
    for (const tid of tasks(p)) {
      const schedstat = read(`/proc/${p}/task/${tid}/schedstat`);
      const status = read(`/proc/${p}/task/${tid}/status`);
      if (!name || !schedstat || !status) continue;
      threads.set(tid, {
        name,
        ns: Number(schedstat.split(' ')[0]),
        switches: Number(/^voluntary_ctxt_switches:\s+(\d+)/m.exec(status)[1]) +
          Number(/^nonvoluntary_ctxt_switches:\s+(\d+)/m.exec(status)[1]),
      });
    }
  }
  return threads;
}

// Per second between two usage() readings, by process name and in total.
// A thread that ended meanwhile is not counted; one that began is counted
// whole.
function rates(before, after, secondsTaken) {
  const result = { total: { ms: 0, switches: 0 } };
  for (const [tid, a] of after) {
    const b = before.get(tid) ?? { ns: 0, switches: 0 };
    result[a.name] ??= { ms: 0, switches: 0 };
    for (const key of [a.name, 'total']) {
      result[key].ms += (a.ns - b.ns) / 1e6 / secondsTaken;
      result[key].switches += (a.switches - b.switches) / secondsTaken;
    }
  }
  return result;
}

async function windowOf(session, child) {
  return until(async () => {
    if (child.exitCode !== null || child.signalCode !== null) throw new Error(`${child.spawnfile} ended`);
    const { stdout } = await session.xdotool('search', '--onlyvisible', '--pid', String(child.pid))
      .catch(() => ({ stdout: '' }));
    return stdout.split('\n').filter(Boolean)[0];
  }, `the window of ${child.spawnfile}`, 20000);
}

// Starts the program, lets it settle, measures it for `seconds`, closes it.
async function measure(session, program, hide) {
  const child = spawn(program, [], { env: session.env, stdio: 'ignore' });
  const ended = new Promise((resolve) => child.once('exit', resolve));
  try {
    const windowId = await windowOf(session, child);
    await sleep(SETTLE);
    let cover;
    if (hide === 'minimised') await session.xdotool('windowminimize', '--sync', windowId);
    if (hide === 'covered')
      cover = spawn('xmessage', ['-geometry', '1280x1024+0+0', 'cover'], { env: session.env, stdio: 'ignore' });
    if (hide) await sleep(1000);
    const load = [Number(fs.readFileSync('/proc/loadavg', 'utf8').split(' ')[0])];
    const before = usage(child.pid);
    const t0 = performance.now();
    await sleep(seconds * 1000);
    const after = usage(child.pid);
    const taken = (performance.now() - t0) / 1000;
    load.push(Number(fs.readFileSync('/proc/loadavg', 'utf8').split(' ')[0]));
    cover?.kill();
    // Ending can take over 15 s on a busy machine.
    await session.askToClose(windowId);
    if (!await Promise.race([ended.then(() => true), sleep(30000).then(() => false)])) {
      const heard = program === programPath && !fs.existsSync(path.join(buildDir, 'readto.htm'));
      throw new Error(`${program} still runs 30 s after the close request` +
        (program === programPath ? (heard ? ' (it removed its page file)' : ' (its page file is still there)') : ''));
    }
    return { ...rates(before, after, taken), load: Math.max(...load) };
  } finally {
    if (child.exitCode === null && child.signalCode === null) {
      child.kill('SIGKILL');
      await ended;
    }
  }
}

function report(label, runs) {
  const names = [...new Set(runs.flatMap((r) => Object.keys(r)))].filter((n) => n !== 'total' && n !== 'load');
  const part = (n) => `${n} ${median(runs.map((r) => r[n]?.ms ?? 0)).toFixed(2)} ms/s, ` +
    `${median(runs.map((r) => r[n]?.switches ?? 0)).toFixed(1)}/s`;
  const totals = runs.map((r) => r.total.ms);
  console.log(`${label}: CPU median ${median(totals).toFixed(2)} ms/s (${Math.min(...totals).toFixed(2)} to ` +
    `${Math.max(...totals).toFixed(2)}), context switches median ` +
    `${median(runs.map((r) => r.total.switches)).toFixed(1)}/s`);
  console.log(`  by process: ${names.map(part).join('; ')}`);
  return { ms: median(totals), switches: median(runs.map((r) => r.total.switches)) };
}

for (const program of [programPath, barePath])
  if (!fs.existsSync(program)) throw new Error(`no ${program} (build first; KESTRUN_BUILD_DIR names the build)`);

const subjects = [
  { label: 'Kestrun', program: programPath, runs: [] },
  { label: 'bare window', program: barePath, runs: [] },
];
for (const hide of ['minimised', 'covered'])
  if (args.includes(`--${hide}`) || quick) subjects.push({ label: `Kestrun ${hide}`, program: programPath, hide, runs: [] });

const session = await Kestrun.display();
try {
  if (!quick) await measure(session, programPath, false).catch(() => {}); // warm the caches
  for (let i = 0; i < rounds; i++) {
    for (const s of subjects) s.runs.push(await measure(session, s.program, s.hide));
    process.stderr.write(`# round ${i + 1} of ${rounds} done\n`);
  }
} finally {
  await session.stop();
}

console.log(`idle, ${rounds} rounds of ${seconds} s each, after ${SETTLE / 1000} s to settle; ${os.cpus().length} CPUs, ` +
  `load average (1 min) seen ${Math.min(...subjects.flatMap((s) => s.runs.map((r) => r.load)))} to ` +
  `${Math.max(...subjects.flatMap((s) => s.runs.map((r) => r.load)))}`);
const [own, bare] = subjects.map((s) => report(s.label, s.runs));
console.log(`ratio Kestrun / bare window: CPU ${(own.ms / bare.ms).toFixed(1)}x, ` +
  `context switches ${(own.switches / Math.max(bare.switches, 0.01)).toFixed(1)}x (target: at most 1.5 ms/s and 5/s)`);
