// The installed package as its user meets it (run by .ci/run once the
// package is installed, as an ordinary user): the program from /usr/bin
// shows its page, closes cleanly and leaves nothing in its own folder;
// kestrun-cal prints a month; the desktop entry and the AppStream data pass
// their validators.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import { Kestrun, execFileP } from '../e2e/harness.mjs';

test('the installed program starts, draws its month, closes cleanly and writes nothing beside itself', async () => {
  const app = await Kestrun.start({ binary: '/usr/bin/kestrun' });
  try {
    assert.equal(await app.run('return typeof cld == "object" && GZ.innerText.length > 0'), true);
    const page = await app.run('return decodeURIComponent(location.pathname)');
    assert.ok(!page.startsWith('/usr/'), page);
    await app.closeByWindowManager();
    assert.deepEqual([fs.existsSync(page), fs.readdirSync('/usr/lib/kestrun')], [false, ['kestrun']]);
  } finally {
    await app.stop();
  }
});

test('kestrun-cal prints a month, and the desktop files pass their validators', async () => {
  const { stdout } = await execFileP('/usr/bin/kestrun-cal', ['10', '2026']);
  assert.match(stdout, /2026年10月/);
  assert.equal((await execFileP('desktop-file-validate', ['/usr/share/applications/kestrun.desktop'])).stdout, '');
  await execFileP('appstreamcli', ['validate', '--no-net', '/usr/share/metainfo/org.kestrun.kestrun.metainfo.xml']);
});
