// The program itself: its page file, its window and the control's size, and
// the install layout.
import { describe, test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { Kestrun, buildDir, execFileP, programPath, tempFolder, until } from './harness.mjs';

// Started through a link from another folder, under a folder name that is no
// valid URL as it stands.
describe('the program started through a link', () => {
  const folder = tempFolder();
  const real = path.join(folder, 'Kestrun #1 100% [x]');
  const page = path.join(real, 'readto.htm');
  let app;
  before(async () => {
    // A copy of the program in a folder of its own, as an installed one is.
    fs.mkdirSync(real);
    fs.copyFileSync(programPath, path.join(real, 'kestrun'));
    fs.mkdirSync(path.join(folder, 'bin'));
    fs.symlinkSync(path.join(real, 'kestrun'), path.join(folder, 'bin/kestrun'));
    app = await Kestrun.start({ binary: path.join(folder, 'bin/kestrun') });
  });
  after(() => app?.stop());

  // (What the file holds is tested in tests/host/form1.)
  test('writes the page beside the real program, hidden, and shows it from there', async () => {
    assert.ok(!fs.existsSync(path.join(folder, 'bin/readto.htm')));
    const attrib = await execFileP('getfattr', ['--only-values', '-n', 'user.DOSATTRIB', page]).catch((e) => e);
    if (!/not supported/i.test(attrib.stderr)) assert.equal(attrib.stdout, '0x2'); // where the file system keeps them
    assert.equal(await app.run('return decodeURIComponent(location.pathname)'), page);
  });

  test('the window: its caption in any locale, 437 x 324, the control 100 twips less than the outer size', async () => {
    assert.equal((await app.xdotool('getwindowname', app.window)).stdout, 'Kestrun2003网络版　◤Tolvey◢ 收藏编制　     \n');
    assert.deepEqual(Object.values(await app.geometry()).slice(2), [437, 324]);
    await app.resize(600, 400);
    const extents = (await execFileP('xprop', ['-id', app.window, '_NET_FRAME_EXTENTS'], { env: app.env })).stdout;
    const [left, right, top, bottom] = extents.split('=')[1].split(',').map(Number);
    const { width, height } = await app.geometry();
    const px = (outer) => Math.round((outer * 15 - 100) / 15);
    const want = `${px(width + left + right)}x${px(height + top + bottom)}`;
    await until(async () => (await app.run("return innerWidth + 'x' + innerHeight")) === want, `the control at ${want}`, 5000);
  });
});

// As a package installs it: a folder the user may not write in (for root,
// whom no mode stops, an immutable one).
describe('the program in a folder its user cannot write', () => {
  const folder = tempFolder(), runtime = tempFolder();
  const page = path.join(runtime, 'kestrun/readto.htm');
  const lock = (on) => (process.getuid() === 0 ? execFileP('chattr', [on ? '+i' : '-i', folder])
    : fs.promises.chmod(folder, on ? 0o555 : 0o755));
  let app;
  before(async () => {
    fs.copyFileSync(programPath, path.join(folder, 'kestrun'));
    await lock(true);
    process.env.XDG_RUNTIME_DIR = runtime;
    app = await Kestrun.start({ binary: path.join(folder, 'kestrun') });
  });
  after(async () => { await app?.stop(); await lock(false); });

  test('writes its page in the runtime folder, keeps the zone across a restart and removes the page at close', async () => {
    assert.equal(await app.run('return decodeURIComponent(location.pathname)'), page);
    await app.chooseZone(4, 1);
    await app.restart();
    assert.deepEqual(await app.run('return [objContinentMenu.selectedIndex, objCountryMenu.selectedIndex];'), [4, 1]);
    await app.closeByWindowManager();
    assert.deepEqual([fs.existsSync(page), fs.readdirSync(folder)], [false, ['kestrun']]);
  });
});

test('install: the program in a folder of its own, a relative link in bin/, the desktop entry', async () => {
  const prefix = tempFolder();
  await execFileP('cmake', ['--install', buildDir, '--prefix', prefix]);
  assert.ok(fs.statSync(path.join(prefix, 'lib/kestrun/kestrun')).isFile());
  assert.equal(fs.readlinkSync(path.join(prefix, 'bin/kestrun')), '../lib/kestrun/kestrun');
  const entry = fs.readFileSync(path.join(prefix, 'share/applications/kestrun.desktop'), 'utf8');
  assert.match(entry, new RegExp(`^Exec=${prefix}/bin/kestrun\nIcon=kestrun$`, 'm'));
});
