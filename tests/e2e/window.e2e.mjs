// The window as a desktop program: classic scroll bars, its place, size and
// maximised state kept across a restart, settings it cannot use, and a
// second start that hands over to the running program.
import { describe, it } from 'node:test';
import assert from 'node:assert/strict';
import { execFile, spawn } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import { promisify } from 'node:util';
import { Kestrun, buildDir, programPath, tether, until } from './harness.mjs';

const run = promisify(execFile);

// Client area [x, y, width, height] on the screen, and whether it is maximised.
async function geometry(app, window) {
  const info = (await run('xwininfo', ['-id', window], { env: app.env })).stdout;
  const state = (await run('xprop', ['-id', window, '_NET_WM_STATE'], { env: app.env })).stdout;
  const box = ['Absolute upper-left X', 'Absolute upper-left Y', 'Width', 'Height']
    .map((name) => Number(new RegExp(`${name}:\\s*(-?\\d+)`).exec(info)[1]));
  return { box, maximised: /MAXIMIZED_VERT, _NET_WM_STATE_MAXIMIZED_HORZ/.test(state) };
}

// Waits until f() gives `expected` (window manager and engine follow in their
// own time); fails with what it gave last.
async function settles(f, expected) {
  let last;
  await until(async () => JSON.stringify(last = await f()) === JSON.stringify(expected), 'a value').catch(() => {});
  assert.deepEqual(last, expected);
}

// The program started as a user starts it, without the driver: its window and
// stderr. By default with no session bus, so that it never hands over to a
// Kestrun the tester runs.
async function launch(app, env = { ...app.env, DBUS_SESSION_BUS_ADDRESS: '' }) {
  const child = spawn(programPath, [], { env, stdio: ['ignore', 'ignore', 'pipe'] });
  tether(child.pid);
  child.errors = '';
  child.stderr.on('data', (d) => { child.errors += d; });
  child.ended = new Promise((resolve) => child.once('exit', resolve));
  child.window = await until(async () => (await app.xdotool('search', '--onlyvisible', '--pid', String(child.pid))
    .catch(() => ({ stdout: '' }))).stdout.trim(), 'the program window');
  return child;
}

describe('window', () => {
  it('shows classic scroll bars and comes back where, as large and as maximised as it was closed', async () => {
    const app = await Kestrun.start();
    try {
      // A classic bar takes room from the page; an overlay bar takes none.
      assert.ok(await app.run('return innerWidth - document.documentElement.clientWidth >= 10'));
      await app.resize(600, 450);
      await app.xdotool('windowmove', '--sync', app.window, '100', '80');
      const before = await geometry(app, app.window);
      await app.restart();
      await settles(() => geometry(app, app.window), before);

      await run('wmctrl', ['-i', '-r', app.window, '-b', 'add,maximized_vert,maximized_horz'], { env: app.env });
      await settles(async () => (await geometry(app, app.window)).maximised, true);
      await app.restart();
      await settles(async () => (await geometry(app, app.window)).maximised, true);
    } finally {
      await app.stop();
    }
  });

  it('opens at its designed size with a warning when its settings cannot be used, and rewrites them at close', async () => {
    const app = await Kestrun.display();
    const settings = path.join(app.home, '.config/kestrun/window.ini');
    try {
      fs.mkdirSync(path.dirname(settings), { recursive: true });
      for (const [text, warning] of [
        ['[Window]\nx=10\ny=10\nwidth=wide\nheight=300\nmaximized=false\n', /cannot use the window settings/],
        ['[Window]\nx=-3000\ny=5000\nwidth=600\nheight=450\nmaximized=true\n', /no monitor shows the window/],
      ]) {
        fs.writeFileSync(settings, text);
        const program = await launch(app);
        const { box, maximised } = await geometry(app, program.window);
        assert.deepEqual([box[2], box[3], maximised], [437, 324, false]);
        program.kill('SIGTERM');
        assert.equal(await program.ended, 0, program.errors);
        assert.match(program.errors, warning);
        assert.match(fs.readFileSync(settings, 'utf8'), /^width=437$/m);
      }
    } finally {
      await app.stop();
    }
  });

  it('hands a second start over to the running program, which comes to the front', async () => {
    const app = await Kestrun.display();
    const bus = spawn('dbus-daemon', ['--session', '--nofork', '--print-address=1'], { stdio: ['ignore', 'pipe', 'ignore'] });
    tether(bus.pid);
    try {
      const address = await new Promise((resolve) => bus.stdout.once('data', (d) => resolve(String(d).trim())));
      // Services the bus starts (the engine's accessibility bus) inherit this
      // pipe and outlive the bus; left open, it would keep the test running.
      bus.stdout.destroy();
      const env = { ...app.env, DBUS_SESSION_BUS_ADDRESS: address };
      const first = await launch(app, env);
      const page = () => fs.statSync(path.join(buildDir, 'readto.htm'), { bigint: true });
      const written = page();
      await app.xdotool('windowminimize', '--sync', first.window);

      const second = spawn(programPath, [], { env, stdio: 'ignore' });
      assert.equal(await new Promise((resolve) => second.once('exit', resolve)), 0);
      await until(async () => (await app.xdotool('getactivewindow')).stdout.trim() === first.window, 'the first window active');
      const windows = await app.xdotool('search', '--onlyvisible', '--name', '^Kestrun2003');
      assert.equal(windows.stdout.trim(), first.window);
      assert.deepEqual([page().ino, page().mtimeNs], [written.ino, written.mtimeNs]);
      first.kill('SIGTERM');
      await first.ended;
    } finally {
      bus.kill();
      await app.stop();
    }
  });
});
