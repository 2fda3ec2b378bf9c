// Calendar view figures in the real program (on an X display of its own, as
// the end-to-end tests run it): time from starting the program to the first
// month drawn, the time of changeCld() for a month change inside the page's
// own engine, and the memory of the program with its web processes.
// Run by hand: [KESTRUN_BUILD_DIR=build] node bench/view.mjs [starts]
import fs from 'node:fs';
import { Kestrun } from '../tests/e2e/harness.mjs';

const starts = Number(process.argv[2]) || 5;
const median = (xs) => [...xs].sort((a, b) => a - b)[xs.length >> 1];

// Start of a process as epoch milliseconds (kernel clock ticks, 10 ms).
const bootTime = Number(/^btime (\d+)$/m.exec(fs.readFileSync('/proc/stat', 'utf8'))[1]) * 1000;
function startedAt(pid) {
  const stat = fs.readFileSync(`/proc/${pid}/stat`, 'utf8');
  const fields = stat.slice(stat.lastIndexOf(')') + 2).split(' ');
  return bootTime + Number(fields[19]) * 10;
}

function descendants(pid) {
  const all = [];
  for (const entry of fs.readdirSync('/proc')) {
    if (!/^\d+$/.test(entry)) continue;
    try {
      const stat = fs.readFileSync(`/proc/${entry}/stat`, 'utf8');
      if (Number(stat.slice(stat.lastIndexOf(')') + 2).split(' ')[1]) === pid) all.push(Number(entry));
    } catch { /* gone meanwhile */ }
  }
  return all.flatMap((child) => [child, ...descendants(child)]);
}

// Peak and current resident memory (kB) of the program and every process it
// started; proportional set size counts shared pages once.
function memory(pid) {
  let peak = 0, rss = 0, pss = 0;
  for (const p of [pid, ...descendants(pid)]) {
    const status = fs.readFileSync(`/proc/${p}/status`, 'utf8');
    peak += Number(/VmHWM:\s+(\d+)/.exec(status)?.[1] || 0);
    rss += Number(/VmRSS:\s+(\d+)/.exec(status)?.[1] || 0);
    pss += Number(/Pss:\s+(\d+)/.exec(fs.readFileSync(`/proc/${p}/smaps_rollup`, 'utf8'))?.[1] || 0);
  }
  return { peak, rss, pss, processes: 1 + descendants(pid).length };
}

// The first month is drawn by the last step of the load handler. Also the
// stages on the way: navigation start, the parsed page, the load handler.
async function startToFirstMonth(app) {
  const t = await app.run('var t = performance.timing; return [t.navigationStart, t.domContentLoadedEventEnd, t.loadEventStart, t.loadEventEnd];');
  const start = startedAt(app.program);
  return { total: t[3] - start, navigation: t[0] - start, parsed: t[1] - t[0], handler: t[3] - t[2] };
}

// changeCld() after a month change, one call at a time: the page's own
// clock, so only the work inside the engine counts. With `layout`, the
// page's layout of the new month is included.
const monthChanges = `
  var times = [], layout = arguments[0], t0, i;
  for (i = 0; i < 240; i++) {
    CLD.SY.selectedIndex = 100 + Math.floor(i / 12);
    CLD.SM.selectedIndex = i % 12;
    t0 = performance.now();
    changeCld();
    if (layout) document.body.offsetHeight;
    times.push(performance.now() - t0);
  }
  return times;`;

const app = await Kestrun.start();
try {
  const firsts = [await startToFirstMonth(app)];
  for (let i = 1; i < starts; i++) {
    await app.restart();
    firsts.push(await startToFirstMonth(app));
  }
  await app.run(monthChanges, false);  // warm up
  const plain = await app.run(monthChanges, false);
  const laidOut = await app.run(monthChanges, true);
  const mem = memory(app.program);

  const ms = (x) => `${x.toFixed(2)} ms`;
  const warm = (key) => median(firsts.slice(1).map((f) => f[key]));
  console.log(`start to first month: cold ${firsts[0].total} ms, warm median ${warm('total')} ms` +
    ` of ${firsts.length - 1} (target 1500 ms; under WebDriver, process start times to 10 ms)`);
  console.log(`  warm stages: program start to navigation ${warm('navigation')} ms, page parsed ${warm('parsed')} ms` +
    ` later, load handler (clocks, then the first month) ${warm('handler')} ms`);
  console.log(`changeCld month change: median ${ms(median(plain))}, mean ${ms(plain.reduce((a, b) => a + b) / plain.length)}` +
    `, max ${ms(Math.max(...plain))} over ${plain.length}; with layout median ${ms(median(laidOut))} (target < 10 ms)`);
  console.log(`memory of ${mem.processes} processes: peak resident ${(mem.peak / 1024).toFixed(0)} MB (sum of peaks),` +
    ` resident now ${(mem.rss / 1024).toFixed(0)} MB, proportional ${(mem.pss / 1024).toFixed(0)} MB (target < 300 MB)`);
} finally {
  await app.stop();
}
