// End-to-end harness: runs the real build/kestrun on an X display of its own
// (Xvfb, with openbox as window manager) and drives it through
// WebKitWebDriver, so a test sees the page in the program's own engine and
// can act on it as a user does (real pointer, window-manager close).
//
//   import { Kestrun } from './harness.mjs';
//
//   const app = await Kestrun.start();      // display, window manager, driver, program
//   await app.run('return tY');              // script in the page (WebDriver executeScript;
//                                            //   a function or a text with `return`)
//   await app.waitFor('return !!cld');       // poll a page script until it is truthy
//   app.driver                               // the selenium-webdriver WebDriver, for anything else
//   await app.pointerMove(x, y);             // the real pointer to page point x, y (CSS px,
//   await app.click(x, y, 'left'|'right');   //   from the top-left of the visible page)
//   await app.key('Escape');                 // a key press on the X display (xdotool names)
//   await app.resize(1000, 700);             // the window's size, as a user drags it
//   await app.windows()                      // ids of the program's visible X windows
//                                            //   (its window, open menus and pop-ups)
//   const rect = await app.rect('#map');     // an element's box in page coordinates
//   const shot = await app.screenshot();     // the whole X screen as a PNG (ImageMagick import)
//   shot.path; shot.pixel(x, y)              //   [r, g, b] at page point x, y
//   await app.closeByWindowManager();        // openbox closes the window; resolves when the program
//                                            //   has ended (its unload handlers have run)
//   await app.kill('SIGKILL');               // end the program with a signal, no close; resolves
//                                            //   when it has ended
//   await app.restart();                     // start the program again, same HOME (cookies kept)
//   await app.stop();                        // end everything, remove the temporary HOME
//
// Also: Kestrun.start({ waitForStartup: false }) and restart({ waitForStartup:
// false }) return as soon as the window is there instead of after the page's
// load event; { binary: path } starts that program instead of the build's;
// app.home (the temporary HOME), app.env (the environment the
// program runs in, DISPLAY included), app.xdotool(...args), app.pageOrigin()
// (screen position of page point 0, 0), app.painted() (waits until the page
// has drawn). Kestrun.display() gives only the display, window manager and
// temporary HOME (app.env, app.home, app.xdotool, app.stop()) for starting
// the program without the driver. Exported helpers: until(check, what,
// timeout), sleep(ms), tempFolder(prefix), buildDir, programPath, childPids(pid),
// descendantPids(pid), tether(pid) (ends a helper process of the test's when
// the test process dies). Kestrun.start({ env: { TZ: 'CST-8' } }) adds to the
// environment of all it starts, the program included.
//
// Environment: KESTRUN_BUILD_DIR (set by CTest) names the build folder that
// holds the kestrun program; it defaults to build/ at the top of the checkout.
// Each Kestrun.start() gets a fresh temporary HOME (with XDG_DATA_HOME,
// XDG_CONFIG_HOME, XDG_CACHE_HOME inside it), so the tests' cookies never
// touch the user's; restart() keeps it. Set KESTRUN_E2E_KEEP=1 to leave the
// temporary folder (and its screenshots) behind for a look, and
// KESTRUN_E2E_DEBUG=1 to see each step of starting and stopping.
import { spawn, execFile } from 'node:child_process';
import fs from 'node:fs';
import net from 'node:net';
import os from 'node:os';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { promisify } from 'node:util';
import { WebDriver } from 'selenium-webdriver';
import { Executor, HttpClient } from 'selenium-webdriver/http/index.js';

const execFileP = promisify(execFile);
const repoRoot = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '../..');

export const buildDir = path.resolve(process.env.KESTRUN_BUILD_DIR || path.join(repoRoot, 'build'));
export const programPath = path.join(buildDir, 'kestrun');

const SCREEN = '1280x1024x24';

// KESTRUN_E2E_DEBUG=1 reports each step of starting and stopping on stderr.
function debug(...what) {
  if (process.env.KESTRUN_E2E_DEBUG) console.error('# e2e:', ...what);
}

export function sleep(ms) {
  return new Promise((resolve) => setTimeout(resolve, ms));
}

// Polls check() until it gives something truthy; fails with what after timeout ms.
export async function until(check, what, timeout = 15000, interval = 100) {
  const end = Date.now() + timeout;
  for (;;) {
    let value;
    try {
      value = await check();
    } catch (error) {
      if (Date.now() > end) throw new Error(`timed out waiting for ${what}: ${error.message}`);
    }
    if (value) return value;
    if (Date.now() > end) throw new Error(`timed out waiting for ${what}`);
    await sleep(interval);
  }
}

function freePort() {
  return new Promise((resolve, reject) => {
    const server = net.createServer();
    server.on('error', reject);
    server.listen(0, '127.0.0.1', () => {
      const { port } = server.address();
      server.close(() => resolve(port));
    });
  });
}

function exited(child) {
  return new Promise((resolve) => {
    if (child.exitCode !== null || child.signalCode !== null) resolve();
    else child.once('exit', () => resolve());
  });
}

async function endProcess(child) {
  if (!child || child.exitCode !== null || child.signalCode !== null) return;
  child.kill('SIGTERM');
  const done = await Promise.race([exited(child).then(() => true), sleep(3000).then(() => false)]);
  if (!done) {
    child.kill('SIGKILL');
    await exited(child);
  }
}

// Children of a process, from /proc (the program is started by the driver).
export function childPids(pid) {
  const pids = [];
  for (const entry of fs.readdirSync('/proc')) {
    if (!/^\d+$/.test(entry)) continue;
    try {
      const stat = fs.readFileSync(`/proc/${entry}/stat`, 'utf8');
      const fields = stat.slice(stat.lastIndexOf(')') + 2).split(' ');
      if (Number(fields[1]) === pid) pids.push(Number(entry));
    } catch {
      // gone meanwhile
    }
  }
  return pids;
}

// Every process started under pid, depth first.
export function descendantPids(pid) {
  return childPids(pid).flatMap((child) => [child, ...descendantPids(child)]);
}

function processAlive(pid) {
  try {
    const stat = fs.readFileSync(`/proc/${pid}/stat`, 'utf8');
    return stat.slice(stat.lastIndexOf(')') + 2)[0] !== 'Z';
  } catch {
    return false;
  }
}

// Ends a process of ours when this test process dies without stopping it
// (a test runner's time-out kills us outright), so no display, driver or
// program is left behind.
export function tether(pid) {
  const script = `while kill -0 ${process.pid} 2>/dev/null; do kill -0 ${pid} 2>/dev/null || exit 0; sleep 1; done; kill ${pid} 2>/dev/null`;
  spawn('sh', ['-c', script], { detached: true, stdio: 'ignore' }).unref();
}

// A fresh temporary folder, removed when this test process ends however it
// ends: on a normal exit here, and by a watcher when the process is killed
// (a test runner's time-out). KESTRUN_E2E_KEEP=1 leaves it for a look.
export function tempFolder(prefix = 'kestrun-e2e-') {
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), prefix));
  if (process.env.KESTRUN_E2E_KEEP) return folder;
  const remove = () => fs.rmSync(folder, { recursive: true, force: true, maxRetries: 5 });
  process.once('exit', remove);
  const script = 'while kill -0 "$1" 2>/dev/null; do sleep 1; done; rm -rf -- "$2"';
  spawn('sh', ['-c', script, 'sh', String(process.pid), folder], { detached: true, stdio: 'ignore' }).unref();
  return folder;
}

// Removes a folder that the program's last processes may still be writing
// into as they end; what cannot go yet goes when this test process ends.
function removeLater(folder) {
  const remove = () => fs.rmSync(folder, { recursive: true, force: true, maxRetries: 10, retryDelay: 200 });
  try { remove(); } catch { process.once('exit', () => { try { remove(); } catch { /* the watcher's rm -rf follows */ } }); }
}

// Starts Xvfb on a free display number, which it reports on a pipe.
async function startXvfb() {
  const xvfb = spawn('Xvfb', ['-displayfd', '3', '-screen', '0', SCREEN, '-nolisten', 'tcp'], {
    stdio: ['ignore', 'ignore', 'pipe', 'pipe'],
  });
  tether(xvfb.pid);
  let errors = '';
  xvfb.stderr.on('data', (d) => { errors += d; });
  const display = await new Promise((resolve, reject) => {
    let text = '';
    xvfb.stdio[3].on('data', (d) => {
      text += d;
      if (text.includes('\n')) resolve(`:${text.trim()}`);
    });
    xvfb.once('exit', (code) => reject(new Error(`Xvfb ended (${code}): ${errors}`)));
  });
  return { xvfb, display };
}

export class Kestrun {
  constructor() {
    this.home = null;
    this.env = null;
    this.display = null;
    this.xvfb = null;
    this.wm = null;
    this.webDriver = null;
    this.driverUrl = null;
    this.driver = null;
    this.window = null; // X window id of the program's window
    this.shots = 0;
  }

  static async start(options = {}) {
    const app = new Kestrun();
    try {
      await app.#startDisplay(options.env);
      await app.#startWebDriver();
      await app.#startProgram(options);
    } catch (error) {
      await app.stop();
      throw error;
    }
    return app;
  }

  // Only the display, its window manager and a fresh temporary HOME, for a
  // caller that starts the program itself, without the driver; stop() ends
  // them. (No program, window or driver: the page and pointer helpers do not
  // apply.)
  static async display() {
    const app = new Kestrun();
    try {
      await app.#startDisplay();
    } catch (error) {
      await app.stop();
      throw error;
    }
    return app;
  }

  async #startDisplay(extraEnv = {}) {
    if (!fs.existsSync(programPath)) throw new Error(`no program at ${programPath} (set KESTRUN_BUILD_DIR)`);
    this.home = tempFolder();
    const { xvfb, display } = await startXvfb();
    this.xvfb = xvfb;
    this.display = display;
    debug('display', display, 'home', this.home);
    const env = { ...process.env };
    delete env.WAYLAND_DISPLAY;
    delete env.DBUS_SESSION_BUS_ADDRESS;
    Object.assign(env, {
      DISPLAY: display,
      GDK_BACKEND: 'x11',
      HOME: this.home,
      XDG_DATA_HOME: path.join(this.home, '.local/share'),
      XDG_CONFIG_HOME: path.join(this.home, '.config'),
      XDG_CACHE_HOME: path.join(this.home, '.cache'),
      NO_AT_BRIDGE: '1',
      // The engine's processes outlive the program by a moment; nothing of
      // theirs should be writing into HOME while it is removed.
      MESA_SHADER_CACHE_DISABLE: 'true',
    }, extraEnv);
    this.env = env;
    await this.#startWindowManager();
  }

  // The window manager is up when it has announced the desktops. Now and then
  // openbox on a fresh display never does; a second one, started after it,
  // does. What it said is kept for the error when none comes up.
  async #startWindowManager() {
    let said = '';
    for (let attempt = 1; ; attempt++) {
      this.wm = spawn('openbox', ['--sm-disable'], { env: this.env, stdio: ['ignore', 'ignore', 'pipe'] });
      tether(this.wm.pid);
      this.wm.stderr.on('data', (d) => { said += d; });
      try {
        await until(() => this.xdotool('get_num_desktops').then(() => true), 'openbox', 20000);
        debug('window manager up');
        return;
      } catch (error) {
        await endProcess(this.wm);
        if (attempt === 3) throw new Error(`${error.message}\nopenbox said: ${said || '(nothing)'}`);
        debug('window manager not up, again; it said', said);
      }
    }
  }

  async #startWebDriver() {
    const port = await freePort();
    this.webDriver = spawn('WebKitWebDriver', [`--port=${port}`], { env: this.env, stdio: 'ignore' });
    tether(this.webDriver.pid);
    this.driverUrl = `http://127.0.0.1:${port}`;
    await until(() => new Promise((resolve) => {
      const socket = net.connect(port, '127.0.0.1', () => { socket.end(); resolve(true); });
      socket.on('error', () => resolve(false));
    }), 'WebKitWebDriver');
    debug('driver listening at', this.driverUrl);
  }

  async #startProgram({ waitForStartup = true, binary = programPath } = {}) {
    const capabilities = {
      // Given args replace the driver's default ones, so the switch that
      // lets the driver in is named here.
      'webkitgtk:browserOptions': { binary, args: ['--automation'] },
    };
    const executor = new Executor(new HttpClient(this.driverUrl));
    this.driver = await WebDriver.createSession(executor, capabilities);
    debug('session started');
    this.program = await until(() => childPids(this.webDriver.pid).filter(processAlive)[0], 'the program process');
    debug('program', this.program);
    tether(this.program);
    this.window = await until(async () => (await this.windows())[0], 'the program window');
    debug('window', this.window);
    if (waitForStartup) {
      debug('url', await this.driver.getCurrentUrl());
      await until(() => this.run("return document.readyState == 'complete' && /readto\\.htm$/.test(location.pathname)"),
        'the page to load');
      // The load event's handler has run once a task queued after it runs.
      await this.driver.executeAsyncScript('var done = arguments[0]; setTimeout(done, 0);');
    }
  }


  // Runs xdotool on this display; resolves with its output.
  xdotool(...args) {
    return execFileP('xdotool', args, { env: this.env });
  }

  // Runs a script in the page; see WebDriver executeScript.
  run(script, ...args) {
    return this.driver.executeScript(script, ...args);
  }

  // Polls a page script until it returns something truthy.
  waitFor(script, what = script, timeout) {
    return until(() => this.run(script), what, timeout);
  }

  // The box of the first element matching a CSS selector, in page coordinates.
  async rect(selector) {
    const r = await this.run(
      'var e = document.querySelector(arguments[0]); if (!e) return null;' +
      ' var r = e.getBoundingClientRect(); return {x: r.left, y: r.top, width: r.width, height: r.height};',
      selector);
    if (!r) throw new Error(`no element ${selector}`);
    return r;
  }

  // Screen position of the page's top-left corner: the web view stands at
  // the origin of the window's client area. (xwininfo, because xdotool's
  // getwindowgeometry gives the window-manager frame's corner instead.)
  async pageOrigin() {
    const { stdout } = await execFileP('xwininfo', ['-id', this.window], { env: this.env });
    const x = Number(/Absolute upper-left X:\s*(-?\d+)/.exec(stdout)[1]);
    const y = Number(/Absolute upper-left Y:\s*(-?\d+)/.exec(stdout)[1]);
    return { x, y };
  }

  async pointerMove(x, y) {
    const origin = await this.pageOrigin();
    await this.xdotool('mousemove', '--sync', String(Math.round(origin.x + x)), String(Math.round(origin.y + y)));
  }

  async click(x, y, button = 'left') {
    await this.pointerMove(x, y);
    const number = { left: 1, middle: 2, right: 3 }[button];
    await this.xdotool('click', String(number));
  }

  async key(name) {
    await this.xdotool('windowactivate', '--sync', this.window);
    await this.xdotool('key', name);
  }

  async resize(width, height) {
    await this.xdotool('windowsize', '--sync', this.window, String(width), String(height));
    await this.painted();
  }

  async windows() {
    const { stdout } = await this.xdotool('search', '--onlyvisible', '--pid', String(this.program))
      .catch(() => ({ stdout: '' }));
    return stdout.split('\n').filter(Boolean);
  }

  // Resolves once the page has drawn two frames since the call.
  async painted() {
    await this.driver.executeAsyncScript(
      'var done = arguments[0]; requestAnimationFrame(function () { requestAnimationFrame(function () { done(); }); });');
    await sleep(200);
  }

  // The whole X screen, once the page has drawn; pixel(x, y) reads it at a page point.
  async screenshot(name = `shot-${++this.shots}`) {
    await this.painted();
    const file = path.join(this.home, `${name}.png`);
    await execFileP('import', ['-window', 'root', file], { env: this.env });
    const origin = await this.pageOrigin();
    const { stdout } = await execFileP('convert', [file, '-depth', '8', 'rgb:-'],
      { encoding: 'buffer', maxBuffer: 64 * 1024 * 1024 });
    const [width] = SCREEN.split('x').map(Number);
    return {
      path: file,
      pixel(x, y) {
        const at = ((Math.round(origin.y + y) * width) + Math.round(origin.x + x)) * 3;
        return [stdout[at], stdout[at + 1], stdout[at + 2]];
      },
    };
  }

  // Asks the window manager to close the window, as its close button does,
  // and waits until the program has ended. The request names the window
  // (_NET_CLOSE_WINDOW): a key binding such as alt+F4 acts on whatever window
  // openbox holds focused at that instant, and right after an activation the
  // press was now and then dropped, leaving the program with no close request.
  async closeByWindowManager() {
    const pid = this.program;
    await execFileP('wmctrl', ['-i', '-c', this.window], { env: this.env });
    await this.#forgetProgram(pid, 'the close request');
  }

  async kill(signal) {
    const pid = this.program;
    process.kill(pid, signal);
    await this.#forgetProgram(pid, signal);
  }

  // The program gives the page up to 5 s for its unload handlers, and the
  // engine's processes then end; on a busy machine that has taken over 15 s.
  async #forgetProgram(pid, after) {
    await until(() => !processAlive(pid), `the program to end after ${after}`, 30000);
    // The WebDriver session went with the program; only forget it.
    await this.driver.quit().catch(() => {});
    this.driver = null;
    this.program = null;
    this.window = null;
  }

  // Starts the program again in a new session, with the same HOME.
  async restart(options) {
    if (this.program) await this.closeByWindowManager();
    await this.#startProgram(options);
  }

  async stop() {
    if (this.driver) await this.driver.quit().catch(() => {});
    if (this.program && processAlive(this.program)) {
      try { process.kill(this.program, 'SIGTERM'); } catch { /* already gone */ }
      await until(() => !processAlive(this.program), 'the program to end', 5000).catch(() => {
        try { process.kill(this.program, 'SIGKILL'); } catch { /* already gone */ }
      });
    }
    await endProcess(this.webDriver);
    await endProcess(this.wm);
    await endProcess(this.xvfb);
    if (this.home && !process.env.KESTRUN_E2E_KEEP) removeLater(this.home);
    else if (this.home) console.log(`# kept ${this.home}`);
    this.driver = this.webDriver = this.wm = this.xvfb = null;
  }
}
