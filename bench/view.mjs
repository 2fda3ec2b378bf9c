// Calendar view figures in the real program (on an X display of its own, as
// the end-to-end tests run it). Started as a user starts it (no driver): the
// time from starting the program to the first month on screen, the size of
// the page file it wrote, and the memory of the program with its web
// processes once started. Then, through
// WebKitWebDriver: the page's own start-up stages, the host's preparation of
// the zone offsets (its processor time, and how long the start waited for
// it), the time of changeCld() for a month change inside the page's own
// engine, and the memory under the driver.
// Run by hand: [KESTRUN_BUILD_DIR=build] node bench/view.mjs [starts] [--quick]
//   --quick: one start and one round of month changes, for the test suite
//   (the figures mean nothing).
import { spawn } from 'node:child_process';
import fs from 'node:fs';
import net from 'node:net';
import path from 'node:path';
import { Kestrun, buildDir, descendantPids, programPath, sleep, until } from '../tests/e2e/harness.mjs';

const quick = process.argv.includes('--quick');
const starts = quick ? 1 : Number(process.argv[2]) || 5;
const median = (xs) => [...xs].sort((a, b) => a - b)[xs.length >> 1];


// Peak and current resident memory (kB) of the program and every process it
// started; proportional set size counts shared pages once.
function memory(pid) {
  let peak = 0, rss = 0, pss = 0;
  for (const p of [pid, ...descendantPids(pid)]) {
    const status = fs.readFileSync(`/proc/${p}/status`, 'utf8');
    peak += Number(/VmHWM:\s+(\d+)/.exec(status)?.[1] || 0);
    rss += Number(/VmRSS:\s+(\d+)/.exec(status)?.[1] || 0);
    pss += Number(/Pss:\s+(\d+)/.exec(fs.readFileSync(`/proc/${p}/smaps_rollup`, 'utf8'))?.[1] || 0);
  }
  return { peak, rss, pss, processes: 1 + descendantPids(pid).length };
}

// The page's own start-up stages, from its navigation timing: the parsed
// page after navigation start, and the load handler (the clocks, then the
// first month). The driver's connection comes before navigation starts, so
// these hold under the driver too.
async function pageStages(app) {
  const t = await app.run('var t = performance.timing; return [t.navigationStart, t.domContentLoadedEventEnd, t.loadEventStart, t.loadEventEnd];');
  return { parsed: t[1] - t[0], handler: t[3] - t[2] };
}

// changeCld() after a month change (arguments[1] of them), one call at a time: the page's own
// clock, so only the work inside the engine counts. With `layout`, the
// page's layout of the new month is included.
const monthChanges = `
  var times = [], layout = arguments[0], t0, i;
  for (i = 0; i < arguments[1]; i++) {
    CLD.SY.selectedIndex = 100 + Math.floor(i / 12);
    CLD.SM.selectedIndex = i % 12;
    t0 = performance.now();
    changeCld();
    if (layout) document.body.offsetHeight;
    times.push(performance.now() - t0);
  }
  return times;`;

// A minimal X client on the display's local socket, enough to read a
// window's pixels (GetImage) without starting a process for every look, so
// the screen can be polled every few milliseconds.
class XDisplay {
  #chunks = [];
  #size = 0;
  #want = null;

  static async open(display) {
    const x = new XDisplay();
    const number = /^:(\d+)/.exec(display)[1];
    x.socket = net.connect(`/tmp/.X11-unix/X${number}`);
    x.socket.on('data', (data) => { x.#chunks.push(data); x.#size += data.length; x.#pump(); });
    x.socket.on('error', (error) => x.#want?.reject(error));
    // Little-endian requests and replies, protocol 11.0, no authorisation
    // (Xvfb started without -auth lets local clients in).
    const setup = Buffer.alloc(12);
    setup.write('l', 0);
    setup.writeUInt16LE(11, 2);
    x.socket.write(setup);
    const head = await x.#read(8);
    const rest = await x.#read(head.readUInt16LE(6) * 4);
    if (head[0] !== 1) throw new Error(`X display ${display} refused the connection`);
    x.lsbImages = rest[30 - 8] === 0;
    return x;
  }

  #read(n) {
    return new Promise((resolve, reject) => {
      this.#want = { n, resolve, reject };
      this.#pump();
    });
  }

  #pump() {
    if (!this.#want || this.#size < this.#want.n) return;
    const all = Buffer.concat(this.#chunks, this.#size);
    const { n, resolve } = this.#want;
    this.#want = null;
    this.#chunks = n < all.length ? [all.subarray(n)] : [];
    this.#size = all.length - n;
    resolve(all.subarray(0, n));
  }

  // One request at a time; the reply's 32-byte head and its data, or null
  // for an X error (the window not viewable, or smaller than asked).
  async #request(bytes) {
    this.socket.write(bytes);
    for (;;) {
      const head = await this.#read(32);
      if (head[0] === 0) return null;
      if (head[0] !== 1) continue; // an event; none is selected, but skip any
      const length = head.readUInt32LE(4) * 4;
      return { head, data: length ? await this.#read(length) : Buffer.alloc(0) };
    }
  }

  async size(window) {
    const request = Buffer.alloc(8);
    request.writeUInt8(14, 0); // GetGeometry
    request.writeUInt16LE(2, 2);
    request.writeUInt32LE(window, 4);
    const reply = await this.#request(request);
    return reply && { width: reply.head.readUInt16LE(16), height: reply.head.readUInt16LE(18) };
  }

  // The window's client area as 32-bit pixels, or null while it cannot be read.
  async image(window) {
    const size = await this.size(window);
    if (!size) return null;
    const request = Buffer.alloc(20);
    request.writeUInt8(73, 0); // GetImage
    request.writeUInt8(2, 1);  // ZPixmap
    request.writeUInt16LE(5, 2);
    request.writeUInt32LE(window, 4);
    request.writeUInt16LE(size.width, 12);
    request.writeUInt16LE(size.height, 14);
    request.writeUInt32LE(0xffffffff, 16);
    const reply = await this.#request(request);
    if (!reply) return null;
    if (reply.data.length < size.width * size.height * 4) throw new Error('expected a display of 32 bits a pixel');
    return reply.data;
  }

  close() {
    this.socket.destroy();
  }
}

// Pixels of the Sunday column's day numbers (red, #ff0000): drawCld writes
// the numbers, and nothing else on the page is this red before it has run.
// Whatever the month, the column and the second grid row (always whole
// days) are inside the window's first client area (437 x 324), which today's
// aqua cell is not on later weekdays, and the heading's navy and white are
// there before drawCld fills it.
function sundayPixels(image, lsb) {
  const [r, g, b] = lsb ? [2, 1, 0] : [1, 2, 3];
  let count = 0;
  for (let i = 0; i < image.length; i += 4) {
    if (image[i + r] === 255 && image[i + g] === 0 && image[i + b] === 0) count++;
  }
  return count;
}
const MONTH_SEEN = 40;

const pageFile = path.join(buildDir, 'readto.htm');

// Starts the program as a user does (no switch, no driver), and
// watches its window until the first month is on screen. Times are from the
// spawn; `month` is when the first image showing it arrived, `step` the time
// between that image and the one before it (the resolution). After `settle`
// ms more, the memory of all its processes. Then closes it from the window
// manager, as a user does, and checks that it ended well.
async function startAlone(session, x, settle) {
  const hadPageFile = fs.existsSync(pageFile);
  const t0 = performance.now();
  const program = spawn(programPath, [], { env: session.env, stdio: ['ignore', 'ignore', 'pipe'] });
  let errors = '';
  program.stderr.on('data', (d) => { errors += d; });
  const ended = new Promise((resolve) => program.once('exit', (code, signal) => resolve({ code, signal })));
  try {
    const windowId = await until(async () => {
      if (program.exitCode !== null || program.signalCode !== null) throw new Error(`the program ended: ${errors}`);
      const { stdout } = await session.xdotool('search', '--onlyvisible', '--pid', String(program.pid)).catch(() => ({ stdout: '' }));
      return stdout.split('\n').filter(Boolean)[0];
    }, 'the program window', 15000, 10);
    const shown = performance.now() - t0;
    let before = performance.now(), month;
    for (;;) {
      const image = await x.image(Number(windowId));
      const now = performance.now();
      if (image && sundayPixels(image, x.lsbImages) >= MONTH_SEEN) {
        month = { at: now - t0, step: now - before };
        break;
      }
      if (now - t0 > 20000) throw new Error('no month on screen 20 s after the start');
      before = now;
      await sleep(5);
    }
    const pageSize = fs.statSync(pageFile).size;
    await sleep(settle);
    const mem = memory(program.pid);

    const closing = performance.now();
    await session.askToClose(windowId);
    const end = await Promise.race([ended, sleep(30000).then(() => null)]);
    if (!end) throw new Error('the program still runs 30 s after the close request' +
      (fs.existsSync(pageFile) ? ' (its page file is still there)' : ' (it removed its page file)'));
    if (end.code !== 0) throw new Error(`the program ended with ${end.signal || `status ${end.code}`}: ${errors}`);
    if (!hadPageFile && fs.existsSync(pageFile)) throw new Error(`the program left ${pageFile} behind`);
    return { shown, month, pageSize, mem, close: performance.now() - closing };
  } finally {
    if (program.exitCode === null && program.signalCode === null) {
      program.kill('SIGKILL');
      await ended;
    }
  }
}

const ms = (x) => `${x.toFixed(0)} ms`;
const MB = (kB) => `${(kB / 1024).toFixed(0)} MB`;
const spread = (xs) => `median ${ms(median(xs))}, ${ms(Math.min(...xs))} to ${ms(Math.max(...xs))}`;

// One fresh HOME for all the starts, kept between them as a user's is; the
// first start only warms the caches.
const session = await Kestrun.display();
let x;
try {
  x = await XDisplay.open(session.display);
  if (!quick) await startAlone(session, x, 0); // warm up
  const runs = [];
  for (let i = 0; i < starts; i++) runs.push(await startAlone(session, x, quick ? 0 : 5000));
  console.log(`start to first month on screen (no driver, warm, ${starts} starts): ` +
    `${spread(runs.map((r) => r.month.at))} (target 1500 ms)`);
  console.log(`  window shown ${spread(runs.map((r) => r.shown))}; screen looked at every ` +
    `${ms(median(runs.map((r) => r.month.step)))} (median)`);
  console.log(`page file ${pageFile}: ${runs[0].pageSize} bytes (code page 936)`);
  const pss = runs.map((r) => r.mem.pss);
  console.log(`memory 5 s after the first month (no driver), ${runs[0].mem.processes} processes, proportional: ` +
    `median ${MB(median(pss))}, ${MB(Math.min(...pss))} to ${MB(Math.max(...pss))} (target < 300 MB); ` +
    `resident ${MB(median(runs.map((r) => r.mem.rss)))}`);
  console.log(`  close request to program ended: ${spread(runs.map((r) => r.close))} (status 0, page file removed)`);
} finally {
  x?.close();
  await session.stop();
}

const app = await Kestrun.start();
try {
  const stages = await pageStages(app);
  const zones = await app.run('return [hostZones.prepared, hostZones.waited];');
  const changes = quick ? 12 : 240;
  if (!quick) await app.run(monthChanges, false, changes);  // warm up
  const plain = await app.run(monthChanges, false, changes);
  const laidOut = await app.run(monthChanges, true, changes);
  const mem = memory(app.program);

  const ms2 = (x) => `${x.toFixed(2)} ms`;
  console.log(`page stages (under the driver): parsed ${stages.parsed} ms after navigation start,` +
    ` load handler (clocks, then the first month) ${stages.handler} ms`);
  console.log(`zone offsets from the time-zone database at start-up: ${zones[0]} ms of processor time on a thread` +
    ` of their own beside the display's start; the start waited ${zones[1]} ms for them (target < 20 ms)`);
  console.log(`changeCld month change: median ${ms2(median(plain))}, mean ${ms2(plain.reduce((a, b) => a + b) / plain.length)}` +
    `, max ${ms2(Math.max(...plain))} over ${plain.length}; with layout median ${ms2(median(laidOut))} (target < 10 ms)`);
  console.log(`memory under the driver, ${mem.processes} processes: peak resident ${MB(mem.peak)} (sum of peaks),` +
    ` resident now ${MB(mem.rss)}, proportional ${MB(mem.pss)}`);
} finally {
  await app.stop();
}
