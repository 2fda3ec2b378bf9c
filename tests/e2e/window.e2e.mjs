// The window as a desktop program: classic scroll bars, its place, size and
// maximised state kept across a restart, no drawing while unseen, and a close
// never lost; started as a user starts it: settings it cannot use, no remote
// inspector, a page file it may not write, a close as early as the window
// shows, and a second start that hands over to the running program.
import { describe, it, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { spawn } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import { Kestrun, buildDir, execFileP, freePort, listening, programPath, tempFolder, tether, until }
  from './harness.mjs';

// Client area on the screen, and whether it is maximised.
async function geometry(app, window = app.window) {
  const state = (await execFileP('xprop', ['-id', window, '_NET_WM_STATE'], { env: app.env })).stdout;
  return { ...await app.geometry(window), maximised: /MAXIMIZED_VERT, _NET_WM_STATE_MAXIMIZED_HORZ/.test(state) };
}

// Waits until f() gives `expected` (window manager and engine follow in their
// own time); fails with what it gave last.
async function settles(f, expected) {
  let last;
  await until(async () => JSON.stringify(last = await f()) === JSON.stringify(expected), 'a value').catch(() => {});
  assert.deepEqual(last, expected);
}

// The page's visibility, and whether the engine drew a frame within a second.
const drawing = (app) => app.driver.executeAsyncScript(`var done = arguments[0], drawn = false;
  requestAnimationFrame(function () { drawn = true; });
  setTimeout(function () { done([document.visibilityState, drawn]); }, 1000);`);

describe('the running window', () => {
  let app;
  before(async () => { app = await Kestrun.start(); });
  after(() => app?.stop());

  it('draws nothing while covered, minimised or on another desktop, though its clocks tick, and draws again once seen', async () => {
    // Hidden: no frame drawn within a second, yet the clock ticks; seen: frames drawn again.
    const seen = async (state, what) => {
      await until(async () => JSON.stringify(await drawing(app)) === JSON.stringify([state, state === 'visible']), `${state} ${what}`);
      const text = await app.run('return LocalTime.innerHTML');
      await app.waitFor(`return LocalTime.innerHTML != ${JSON.stringify(text)}`, `a tick ${what}`);
    };
    await seen('visible', 'at start');
    const cover = spawn('xmessage', ['-geometry', '1280x1024+0+0', 'cover'], { env: app.env, stdio: 'ignore' });
    await seen('hidden', 'under a window that covers it').finally(() => cover.kill());
    await seen('visible', 'once uncovered');
    for (const [hide, show, what] of [[['windowminimize', '--sync', app.window], ['windowactivate', '--sync', app.window], 'minimised'],
      [['set_desktop', '1'], ['set_desktop', '0'], 'on another desktop']]) {
      await app.xdotool(...hide);
      await seen('hidden', what);
      await app.xdotool(...show);
      await seen('visible', `after ${what}`);
    }
  });

  it('shows classic scroll bars and comes back where, as large, as zoomed and as maximised as it was closed, ' +
    'also after being killed while maximised', async () => {
    // A classic bar takes room from the page; an overlay bar takes none.
    assert.ok(await app.run('return innerWidth - document.documentElement.clientWidth >= 10'));
    await app.resize(600, 450);
    await app.xdotool('windowmove', '--sync', app.window, '100', '80');
    const before = await geometry(app), unzoomed = await app.run('return innerWidth');
    // The page's width in CSS px shrinks as the zoom grows: 110 % (the main keyboard's +), 125 %, 150 % by
    // the wheel, back to 125 %.
    const zoom = async () => Math.round(100 * unzoomed / await app.run('return innerWidth')) / 100;
    for (const key of ['ctrl+shift+equal', 'ctrl+equal']) await app.key(key);
    await app.pointerMove(300, 200);
    await app.xdotool('keydown', 'ctrl', 'click', '4', 'keyup', 'ctrl');
    await app.key('ctrl+minus');
    await app.restart();
    await settles(() => geometry(app), before);
    await settles(zoom, 1.25);
    await app.key('ctrl+0');
    await settles(zoom, 1);
    const maximise = (how) => execFileP('wmctrl', ['-i', '-r', app.window, '-b', `${how},maximized_vert,maximized_horz`], { env: app.env });
    await maximise('add');
    await settles(async () => (await geometry(app)).maximised, true);
    // Kept a moment after the change, with the size it returns to.
    const settings = path.join(app.home, '.config/kestrun/window.ini');
    await until(() => /^maximized=true$/m.test(fs.readFileSync(settings, 'utf8')), 'the maximised state kept');
    process.kill(app.program, 'SIGKILL');
    await app.restart(true);
    await settles(async () => (await geometry(app)).maximised, true);
    await maximise('remove');
    await settles(() => geometry(app), before);
  });

  // Last: it ends the program. An open list holds a grab, under which GTK drops
  // the close request unless the program takes it first.
  it('ends on a close request while one of its lists is open', async () => {
    // Clicked again should the window, just restored to its kept place, still
    // be settling when the first click comes.
    const listOpen = async () => (await app.windows()).length > 1;
    await until(async () => {
      await app.clickOn('select[name=continentMenu]');
      return until(listOpen, 'the list open', 3000).catch(() => false);
    }, 'the list open', 20000);
    await app.closeByWindowManager();
  });
});

describe('started as a user starts it', () => {
  let app;
  before(async () => { app = await Kestrun.display(); });
  after(() => app?.stop());

  it('opens at its designed size with a warning when its settings cannot be used, rewrites them at close, ' +
    'and keeps the engine\'s remote inspector closed whatever the environment says', async () => {
    const settings = path.join(app.home, '.config/kestrun/window.ini');
    const port = await freePort();
    // Without the test switch; the engine would open it with its first context, before the window.
    const inspector = { WEBKIT_INSPECTOR_HTTP_SERVER: `127.0.0.1:${port}`,
      WEBKIT_INSPECTOR_SERVER: `127.0.0.1:${port + 1}` };
    fs.mkdirSync(path.dirname(settings), { recursive: true });
    for (const [text, warning] of [
      ['[Window]\nx=10\ny=10\nwidth=wide\nheight=300\nmaximized=false\n', /cannot use the window settings/],
      ['[Window]\nx=-3000\ny=5000\nwidth=600\nheight=450\nmaximized=true\n', /no monitor shows the window/],
    ]) {
      fs.writeFileSync(settings, text);
      const program = await app.launch({ ...app.env, DBUS_SESSION_BUS_ADDRESS: '', ...inspector });
      const { width, height, maximised } = await geometry(app, program.window);
      const open = [await listening(port), await listening(port + 1)];
      assert.deepEqual([width, height, maximised, ...open], [437, 324, false, false, false]);
      program.kill('SIGTERM');
      assert.equal(await program.ended, 0, program.errors);
      assert.match(program.errors, warning);
      assert.match(fs.readFileSync(settings, 'utf8'), /^width=437$/m);
    }
  });

  it('reports a page file it may not write or that outgrows the file size limit, writes nothing through it, ' +
    'leaves no part of it behind, and ends with status 1', async () => {
    const folder = tempFolder();
    const [program, victim, page, limited] = ['kestrun', 'victim', 'readto.htm', 'limited'].map((name) => path.join(folder, name));
    fs.copyFileSync(programPath, program);
    fs.writeFileSync(victim, 'keep me');
    fs.symlinkSync(victim, page);
    // Started under a file size limit of 8 KiB, far less than the page.
    fs.writeFileSync(limited, `#!/bin/sh\nulimit -f 16\nexec '${program}'\n`, { mode: 0o755 });
    for (const [start, reason] of [[program, /symbolic link/], [limited, /File too large/]]) {
      const child = await app.launch(undefined, start); // the window is the error dialog
      await app.xdotool('windowactivate', '--sync', child.window, 'key', 'Return');
      assert.equal(await child.ended, 1);
      assert.ok(child.errors.includes(page) && reason.test(child.errors), child.errors);
      fs.rmSync(page, { force: true });
    }
    assert.equal(fs.readFileSync(victim, 'utf8'), 'keep me');
    assert.deepEqual(fs.readdirSync(folder).sort(), ['kestrun', 'limited', 'victim']);
  });

  it('ends on a close request sent as soon as its window shows, on a machine kept busy', async () => {
    for (let round = 0; round < 4; round++) {
      // Both cores busy, for a bounded time whatever becomes of this test.
      const busy = [0, 1].map(() => spawn('timeout', ['30', 'sh', '-c', 'while :; do :; done'], { stdio: 'ignore' }));
      try {
        const program = await app.launch();
        await execFileP('wmctrl', ['-i', '-c', program.window], { env: app.env });
        const ended = await Promise.race([program.ended, new Promise((resolve) => setTimeout(resolve, 30000, 'running'))]);
        if (ended === 'running') program.kill('SIGKILL');
        assert.equal(ended, 0, `round ${round + 1}: ${program.errors}`);
        assert.ok(!fs.existsSync(path.join(buildDir, 'readto.htm')), `round ${round + 1}: the page file stays`);
      } finally {
        busy.forEach((child) => child.kill());
      }
    }
  });

  it('hands a second start over to the running program, which comes to the front', async () => {
    const bus = spawn('dbus-daemon', ['--session', '--nofork', '--print-address=1'], { stdio: ['ignore', 'pipe', 'ignore'] });
    tether(bus.pid);
    after(() => bus.kill());
    const address = await new Promise((resolve) => bus.stdout.once('data', (d) => resolve(String(d).trim())));
    // Services the bus starts (the engine's accessibility bus) inherit this
    // pipe and outlive the bus; left open, it would keep the test running.
    bus.stdout.destroy();
    const env = { ...app.env, DBUS_SESSION_BUS_ADDRESS: address };
    const first = await app.launch(env);
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
  });
});
