// End-to-end harness: the real build/kestrun on an X display of its own
// (Xvfb, openbox as window manager), driven through WebKitWebDriver, so a
// test sees the page in the program's own engine and acts on it as a user
// does (real pointer and keys, window-manager close).
//
// Kestrun.start({ binary, accessibility }) gives all that and the program with its page
// loaded; Kestrun.display() only the display, window manager and a fresh
// temporary HOME, for launch() without the driver. Page points are CSS px from
// the top-left of the page. KESTRUN_BUILD_DIR (set by CTest) names the build.
import { spawn, execFile } from 'node:child_process';
import fs from 'node:fs';
import net from 'node:net';
import os from 'node:os';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { promisify } from 'node:util';
import { By, WebDriver } from 'selenium-webdriver';
import { Executor, HttpClient } from 'selenium-webdriver/http/index.js';

export const execFileP = promisify(execFile);
const repoRoot = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '../..');
export const buildDir = path.resolve(process.env.KESTRUN_BUILD_DIR || path.join(repoRoot, 'build'));
export const programPath = path.join(buildDir, 'kestrun');
const SCREEN = [1280, 1024];

export const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

// Polls check() until it gives something truthy; fails with what after timeout ms.
export async function until(check, what, timeout = 15000) {
  const end = Date.now() + timeout;
  for (;;) {
    let value, failure = '';
    try { value = await check(); } catch (error) { failure = `: ${error.message}`; }
    if (value) return value;
    if (Date.now() > end) throw new Error(`timed out waiting for ${what}${failure}`);
    await sleep(100);
  }
}

export function freePort() {
  return new Promise((resolve, reject) => {
    const server = net.createServer().on('error', reject).listen(0, '127.0.0.1', () => {
      const { port } = server.address();
      server.close(() => resolve(port));
    });
  });
}

export const listening = (port) => new Promise((resolve) => {
  net.connect(port, '127.0.0.1', function () { this.end(); resolve(true); }).on('error', () => resolve(false));
});

const ended = (child) => child.exitCode !== null || child.signalCode !== null;

async function endProcess(child) {
  if (!child || ended(child)) return;
  child.kill('SIGTERM');
  await until(() => ended(child), 'a helper to end', 3000).catch(() => child.kill('SIGKILL'));
}

// A process's state and parent from /proc; none once it is gone.
function stat(pid) {
  try {
    const text = fs.readFileSync(`/proc/${pid}/stat`, 'utf8');
    return text.slice(text.lastIndexOf(')') + 2).split(' ');
  } catch { return []; }
}

// Children of a process (the program is started by the driver).
const childPids = (pid) => fs.readdirSync('/proc').filter((e) => /^\d+$/.test(e) && +stat(e)[1] === pid).map(Number);

// Every process started under pid, depth first.
export const descendantPids = (pid) => childPids(pid).flatMap((child) => [child, ...descendantPids(child)]);

const processAlive = (pid) => ![undefined, 'Z'].includes(stat(pid)[0]);

// Ends a process of ours when this test process dies without stopping it
// (a test runner's time-out kills us outright), so nothing is left behind.
export function tether(pid) {
  const script = `while kill -0 ${process.pid} 2>/dev/null; do kill -0 ${pid} 2>/dev/null || exit 0; sleep 1; done; kill ${pid} 2>/dev/null`;
  spawn('sh', ['-c', script], { detached: true, stdio: 'ignore' }).unref();
}

// A fresh temporary folder, removed when this test process ends however it
// ends: on a normal exit here, and by a watcher when it is killed.
export function tempFolder() {
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'kestrun-e2e-'));
  // The engine's last processes may still write into it as they end.
  process.once('exit', () => { try { fs.rmSync(folder, { recursive: true, force: true, maxRetries: 5 }); } catch { /* the watcher's */ } });
  const script = 'while kill -0 "$1" 2>/dev/null; do sleep 1; done; rm -rf -- "$2"';
  spawn('sh', ['-c', script, 'sh', String(process.pid), folder], { detached: true, stdio: 'ignore' }).unref();
  return folder;
}

export class Kestrun {
  static async display() {
    const app = new Kestrun();
    await app.#startDisplay().catch((error) => app.#fail(error));
    return app;
  }

  // accessibility: the program on a session bus of its own, where it finds the
  // accessibility bus, as under a desktop with a screen reader.
  static async start({ binary = programPath, accessibility = false } = {}) {
    const app = await Kestrun.display();
    app.binary = binary;
    await (accessibility ? app.#startBus() : Promise.resolve()).then(() => app.#startWebDriver())
      .then(() => app.#startProgram()).catch((error) => app.#fail(error));
    return app;
  }

  async #fail(error) {
    await this.stop();
    throw error;
  }

  async #startDisplay() {
    if (!fs.existsSync(programPath)) throw new Error(`no program at ${programPath} (set KESTRUN_BUILD_DIR)`);
    this.home = tempFolder();
    // Xvfb on a free display number, which it reports on a pipe.
    this.xvfb = spawn('Xvfb', ['-displayfd', '3', '-screen', '0', `${SCREEN.join('x')}x24`, '-nolisten', 'tcp'],
      { stdio: ['ignore', 'ignore', 'pipe', 'pipe'] });
    tether(this.xvfb.pid);
    let errors = '', text = '';
    this.xvfb.stderr.on('data', (d) => { errors += d; });
    this.display = await new Promise((resolve, reject) => {
      this.xvfb.stdio[3].on('data', (d) => { if ((text += d).includes('\n')) resolve(`:${text.trim()}`); });
      this.xvfb.once('exit', (code) => reject(new Error(`Xvfb ended (${code}): ${errors}`)));
    });
    // X only, no session bus, and the user's folders all under HOME.
    const { WAYLAND_DISPLAY, DBUS_SESSION_BUS_ADDRESS, XDG_DATA_HOME, XDG_CONFIG_HOME, XDG_CACHE_HOME, ...env } =
      process.env;
    this.env = Object.assign(env, {
      DISPLAY: this.display,
      GDK_BACKEND: 'x11',
      HOME: this.home,
      NO_AT_BRIDGE: '1',
      // The engine's processes outlive the program by a moment; nothing of
      // theirs should be writing into HOME while it is removed.
      MESA_SHADER_CACHE_DISABLE: 'true',
    });
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
        return await until(() => this.xdotool('get_num_desktops').then(() => true), 'openbox', 20000);
      } catch (error) {
        await endProcess(this.wm);
        if (attempt === 3) throw new Error(`${error.message}\nopenbox said: ${said || '(nothing)'}`);
      }
    }
  }

  async #startBus() {
    this.bus = spawn('dbus-daemon', ['--session', '--nofork', '--print-address=1'], { env: this.env, stdio: ['ignore', 'pipe', 'ignore'] });
    tether(this.bus.pid);
    let text = '';
    this.env.DBUS_SESSION_BUS_ADDRESS = await new Promise((resolve) => this.bus.stdout.on('data', (d) => { if ((text += d).includes('\n')) resolve(text.trim()); }));
    delete this.env.NO_AT_BRIDGE;
  }

  // Processes given our session bus: the program's, and the accessibility
  // bus's launcher, bus and registry, which leave the process tree.
  #onBus() {
    const entry = `DBUS_SESSION_BUS_ADDRESS=${this.env.DBUS_SESSION_BUS_ADDRESS}`;
    return fs.readdirSync('/proc').filter((e) => /^\d+$/.test(e)).filter((pid) => {
      try { return fs.readFileSync(`/proc/${pid}/environ`, 'latin1').split('\0').includes(entry); } catch { return false; }
    }).map(Number);
  }

  // Ends the bus and all it started, by force after 5 s; fails if any stays.
  async #endBus() {
    const signal = (name) => [this.bus.pid, ...this.#onBus()].forEach((pid) => { try { process.kill(pid, name); } catch { /* gone */ } });
    signal('SIGTERM');
    await until(() => this.#onBus().length === 0, 'the bus\'s processes to end', 5000).catch(() => signal('SIGKILL'));
    this.bus = null;
    await until(() => this.#onBus().length === 0, 'the bus\'s processes to be killed', 2000);
  }

  async #startWebDriver() {
    const port = await freePort();
    this.webDriver = spawn('WebKitWebDriver', [`--port=${port}`], { env: this.env, stdio: 'ignore' });
    tether(this.webDriver.pid);
    this.driverUrl = `http://127.0.0.1:${port}`;
    await until(() => listening(port), 'WebKitWebDriver');
  }

  async #startProgram() {
    // Given args replace the driver's default ones, so the switch that lets
    // the driver in is named here.
    const capabilities = { 'webkitgtk:browserOptions': { binary: this.binary, args: ['--automation'] } };
    this.driver = await WebDriver.createSession(new Executor(new HttpClient(this.driverUrl)), capabilities);
    this.program = await until(() => childPids(this.webDriver.pid).filter(processAlive)[0], 'the program process');
    tether(this.program);
    this.window = await until(async () => (await this.windows())[0], 'the program window');
    await this.waitFor("return document.readyState == 'complete' && /readto\\.htm$/.test(location.pathname)", 'the page to load');
    // The load event's handler has run once a task queued after it runs.
    await this.driver.executeAsyncScript('var done = arguments[0]; setTimeout(done, 0);');
  }

  // The program started as a user starts it, without the driver: the child
  // with its window, its stderr (errors) and a promise of its exit status
  // (ended). By default with no session bus, so that it never hands over to
  // a Kestrun the tester runs.
  async launch(env = { ...this.env, DBUS_SESSION_BUS_ADDRESS: '' }, program = programPath) {
    const child = spawn(program, [], { env, stdio: ['ignore', 'ignore', 'pipe'] });
    tether(child.pid);
    child.errors = '';
    child.stderr.on('data', (d) => { child.errors += d; });
    child.ended = new Promise((resolve) => child.once('exit', resolve));
    child.window = await until(async () => (await this.windows(child.pid))[0], 'the program window');
    return child;
  }

  xdotool(...args) {
    return execFileP('xdotool', args, { env: this.env });
  }

  run(script, ...args) {
    return this.driver.executeScript(script, ...args);
  }

  waitFor(script, what = script) {
    return until(() => this.run(script), what);
  }

  // The box of the first element matching a CSS selector, in page coordinates.
  async rect(selector) {
    const r = await this.run('var e = document.querySelector(arguments[0]);' +
      ' return e && JSON.parse(JSON.stringify(e.getBoundingClientRect()));', selector);
    if (!r) throw new Error(`no element ${selector}`);
    return r;
  }

  // Picks a zone the way a user does (the menus' change handlers run).
  async chooseZone(continent, country) {
    for (const [menu, index] of [['continentMenu', continent], ['countryMenu', country]])
      await this.driver.findElement(By.css(`select[name=${menu}] option:nth-child(${index + 1})`)).click();
  }

  // A window's client area on the screen. (xwininfo, because xdotool's
  // getwindowgeometry gives the window-manager frame's corner instead.)
  async geometry(window = this.window) {
    const { stdout } = await execFileP('xwininfo', ['-id', window], { env: this.env });
    const [x, y, width, height] = ['Absolute upper-left X', 'Absolute upper-left Y', 'Width', 'Height']
      .map((name) => Number(new RegExp(`${name}:\\s*(-?\\d+)`).exec(stdout)[1]));
    return { x, y, width, height };
  }

  // Screen position of page point 0, 0: the web view fills the client area.
  pageOrigin = this.geometry;

  async pointerMove(x, y) {
    const origin = await this.pageOrigin();
    await this.xdotool('mousemove', '--sync', String(Math.round(origin.x + x)), String(Math.round(origin.y + y)));
  }

  async click(x, y, button = 1) {
    await this.pointerMove(x, y);
    await this.xdotool('click', String(button));
  }

  // Clicks the centre of an element (at most 200 px into it).
  async clickOn(selector, button = 1) {
    const r = await this.rect(selector);
    await this.click(r.x + Math.min(r.width / 2, 200), r.y + Math.min(r.height / 2, 200), button);
  }

  key(name) {
    return this.xdotool('windowactivate', '--sync', this.window, 'key', name);
  }

  async resize(width, height) {
    await this.xdotool('windowsize', '--sync', this.window, String(width), String(height));
    await this.painted();
  }

  // Ids of a process's visible X windows (its window, open menus and pop-ups).
  async windows(pid = this.program) {
    const { stdout } = await this.xdotool('search', '--onlyvisible', '--pid', String(pid)).catch(() => ({ stdout: '' }));
    return stdout.split('\n').filter(Boolean);
  }

  // Resolves once the page has drawn two frames since the call.
  async painted() {
    await this.driver.executeAsyncScript(
      'var done = arguments[0]; requestAnimationFrame(function () { requestAnimationFrame(function () { done(); }); });');
    await sleep(200);
  }

  // The whole X screen (without waiting for the page when drawn is false);
  // pixel(x, y) reads it at a page point.
  async screenshot(drawn = true) {
    if (drawn) await this.painted();
    const { stdout } = await execFileP('import', ['-window', 'root', '-depth', '8', 'rgb:-'],
      { env: this.env, encoding: 'buffer', maxBuffer: 64 * 1024 * 1024 });
    const origin = await this.pageOrigin();
    return {
      pixel(x, y) {
        const at = ((Math.round(origin.y + y) * SCREEN[0]) + Math.round(origin.x + x)) * 3;
        return [stdout[at], stdout[at + 1], stdout[at + 2]];
      },
      // The pixels of a page box, as text to compare.
      box(r) {
        const all = [];
        for (let y = r.y; y < r.y + r.height; y += 2) for (let x = r.x; x < r.x + r.width; x += 2) all.push(this.pixel(x, y));
        return all.join(' ');
      },
    };
  }

  // Asks the window manager to close window id, as its close button does.
  // The request names the window (_NET_CLOSE_WINDOW): a key binding such as
  // alt+F4 acts on whatever window openbox holds focused at that instant, and
  // right after an activation the press was now and then dropped, leaving
  // the program with no close request.
  askToClose(id) {
    return execFileP('wmctrl', ['-i', '-c', String(id)], { env: this.env });
  }

  // Closes the program's window as above and waits until the program has ended.
  async closeByWindowManager() {
    await this.askToClose(this.window);
    // The program gives the page up to 5 s for its unload handlers, and the
    // engine's processes then end; on a busy machine that has taken over 15 s.
    await until(() => !processAlive(this.program), 'the program to end after the close request', 30000);
    // The WebDriver session went with the program; only forget it.
    await this.driver.quit().catch(() => {});
    this.driver = this.program = this.window = null;
  }

  // Starts the program again in a new session, with the same HOME and binary;
  // killed: the program was killed, and its session is only forgotten.
  async restart(killed = false) {
    if (killed) {
      await until(() => !processAlive(this.program), 'the killed program to end');
      await this.driver.quit().catch(() => {});
    } else if (this.program) await this.closeByWindowManager();
    await this.#startProgram();
  }

  async stop() {
    if (this.driver) await this.driver.quit().catch(() => {});
    if (this.program && processAlive(this.program)) {
      try { process.kill(this.program, 'SIGTERM'); } catch { /* already gone */ }
      await until(() => !processAlive(this.program), 'the program to end', 5000)
        .catch(() => { try { process.kill(this.program, 'SIGKILL'); } catch { /* already gone */ } });
    }
    if (this.bus) await this.#endBus();
    for (const helper of [this.webDriver, this.wm, this.xvfb]) await endProcess(helper);
    this.driver = this.webDriver = this.wm = this.xvfb = null;
  }
}
