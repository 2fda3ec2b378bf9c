// The window shows its own page and nothing else: a dropped file, a script's
// navigation or new window, and a script's read of another local file are
// all refused, and the calendar stays as it was.
import { test, after } from 'node:test';
import assert from 'node:assert/strict';
import { spawn } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import { pathToFileURL } from 'node:url';
import { Kestrun, buildDir, freePort, listening, sleep, until } from './harness.mjs';

let app;
let planted;
after(() => app && app.stop());

// The same document stays: the mark set before is there, and so is the drawn
// calendar. What must not happen would happen within a moment; look a few times.
async function staysOnPage() {
  for (let i = 0; i < 6; i++, await sleep(250)) {
    assert.ok(await app.run("return window.stillHere === true && /readto\\.htm$/.test(location.pathname) && typeof cld == 'object';"),
      'the calendar page is still shown');
  }
}

test('a page file dragged onto the window is refused and its script never runs', async () => {
  app = await Kestrun.start();
  planted = path.join(app.home, 'dropped.html');
  fs.writeFileSync(planted, '<html><body><script>document.cookie = "dropped=1";</script>dropped</body></html>');
  await app.run('window.stillHere = true;');
  const source = spawn(path.join(buildDir, 'drag-source'), [pathToFileURL(planted).href],
    { env: app.env, stdio: ['ignore', 'pipe', 'inherit'] });
  after(() => source.kill());
  let said = '';
  source.stdout.on('data', (d) => { said += d; });
  const [window] = await until(() => app.windows(source.pid).then((w) => w.length && w), 'the drag source');
  await app.xdotool('windowmove', '--sync', window, '900', '700', 'mousemove', '--sync', '--window', window, '60', '60');
  // A real drag: the pointer travels onto the calendar with the button held.
  const { x, y } = await app.pageOrigin();
  await app.xdotool('mousedown', '1');
  for (let step = 1; step <= 8; step++) {
    await app.xdotool('mousemove', '--sync', String(Math.round(960 + ((x + 150 - 960) * step) / 8)),
      String(Math.round(760 + ((y + 150 - 760) * step) / 8)), 'sleep', '0.05');
  }
  await app.xdotool('mouseup', '1');
  assert.match(await until(() => /dropped|refused/.exec(said)?.[0], 'the drag to end'), /refused/);
  await staysOnPage();
  assert.doesNotMatch(await app.run('return document.cookie;'), /dropped/);
});

test('a page script can neither leave the page nor open a window', async () => {
  const url = pathToFileURL(planted).href;
  await app.run('location = arguments[0];', url);
  await app.run('var form = document.forms.CLD; form.action = arguments[0]; form.submit();', url);
  // A window opened from a click counts as the user's, the strongest case.
  await app.run(`var url = arguments[0];
    document.body.onclick = function () { window.opened = window.open(url); };`, url);
  const windows = await app.windows();
  await app.click(5, 5);
  await staysOnPage();
  assert.equal(await app.run('return window.opened;'), null);
  assert.deepEqual(await app.windows(), windows);
});

test('a page script cannot read another local file', async () => {
  const secret = path.join(app.home, 'secret.txt');
  fs.writeFileSync(secret, 'the secret');
  const result = await app.driver.executeAsyncScript(`var done = arguments[1], request = new XMLHttpRequest();
    request.onload = function () { done('read: ' + request.responseText); };
    request.onerror = function () { done('refused'); };
    try { request.open('GET', arguments[0]); request.send(); } catch (e) { done('refused'); }`,
  pathToFileURL(secret).href);
  assert.equal(result, 'refused');
});

test('the engine\'s remote inspector stays closed without the test switch, whatever the environment says', async () => {
  await app.stop();
  app = await Kestrun.display();
  const port = await freePort();
  const env = { ...app.env, WEBKIT_INSPECTOR_HTTP_SERVER: `127.0.0.1:${port}`, WEBKIT_INSPECTOR_SERVER: `127.0.0.1:${port + 1}` };
  // The engine opens its inspector with its first context, before the window.
  const program = await app.launch(env);
  after(() => program.kill());
  assert.equal(await listening(port), false);
  assert.equal(await listening(port + 1), false);
});
