// The window shows its own page and nothing else: a script's navigation or new
// window and its read of another local file are refused, the calendar stays as
// it was, and the engine's remote inspector stays closed.
import { test, after } from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { pathToFileURL } from 'node:url';
import { Kestrun, freePort, listening, sleep } from './harness.mjs';

let app;
after(() => app?.stop());

test('a page script can neither leave the page, open a window nor read another local file', async () => {
  app = await Kestrun.start();
  const [page, secret] = ['page.html', 'secret.txt'].map((name) => path.join(app.home, name));
  fs.writeFileSync(page, '<html><body>elsewhere</body></html>');
  fs.writeFileSync(secret, 'the secret');
  const url = pathToFileURL(page).href;
  // A window opened from a click counts as the user's, the strongest case.
  await app.run(`var url = arguments[0]; window.stillHere = true; location = url;
    var form = document.forms.CLD; form.action = url; form.submit();
    document.body.onclick = function () { window.opened = window.open(url); };`, url);
  const windows = await app.windows();
  await app.click(5, 5);
  // What must not happen would happen within a moment: look a few times.
  for (let i = 0; i < 6; i++, await sleep(250)) {
    assert.ok(await app.run("return window.stillHere === true && /readto\\.htm$/.test(location.pathname) && typeof cld == 'object';"),
      'the calendar page is still shown');
  }
  assert.equal(await app.run('return window.opened;'), null);
  assert.deepEqual(await app.windows(), windows);
  const read = await app.driver.executeAsyncScript(`var done = arguments[1], request = new XMLHttpRequest();
    request.onload = function () { done('read: ' + request.responseText); };
    request.onerror = function () { done('refused'); };
    try { request.open('GET', arguments[0]); request.send(); } catch (e) { done('refused'); }`, pathToFileURL(secret).href);
  assert.equal(read, 'refused');
});

test('the engine\'s remote inspector stays closed without the test switch, whatever the environment says', async () => {
  await app.stop();
  app = await Kestrun.display();
  const port = await freePort();
  // The engine opens its inspector with its first context, before the window.
  const program = await app.launch({ ...app.env, WEBKIT_INSPECTOR_HTTP_SERVER: `127.0.0.1:${port}`,
    WEBKIT_INSPECTOR_SERVER: `127.0.0.1:${port + 1}` });
  after(() => program.kill());
  assert.deepEqual([await listening(port), await listening(port + 1)], [false, false]);
});
