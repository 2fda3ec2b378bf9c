// While its window cannot be seen the page is not drawn, though its clocks
// tick on; once the window is seen again the page is drawn as it ticks.
import { test, after } from 'node:test';
import assert from 'node:assert/strict';
import { spawn } from 'node:child_process';
import { Kestrun, until } from './harness.mjs';

let app;
after(() => app && app.stop());

// The page's visibility, and whether the engine drew a frame within a second.
const drawing = () => app.driver.executeAsyncScript(`var done = arguments[0], drawn = false;
  requestAnimationFrame(function () { drawn = true; });
  setTimeout(function () { done([document.visibilityState, drawn]); }, 1000);`);

async function hiddenWhile(what) {
  await until(async () => (await drawing())[0] === 'hidden', `the page hidden ${what}`);
  assert.deepEqual(await drawing(), ['hidden', false], what);
  const text = await app.run('return LocalTime.innerHTML');
  await app.waitFor(`return LocalTime.innerHTML != ${JSON.stringify(text)}`, `a tick ${what}`);
}

async function shownAgain(what) {
  await until(async () => (await drawing())[0] === 'visible', `the page shown again ${what}`);
  // Drawn, not only visible: the clock on screen changes with the ticks.
  const r = await app.rect('#LocalTime');
  const clock = async () => {
    const shot = await app.screenshot();
    const pixels = [];
    for (let y = r.y; y < r.y + r.height; y += 2)
      for (let x = r.x; x < r.x + r.width; x += 2) pixels.push(shot.pixel(x, y).join());
    return pixels.join(' ');
  };
  const first = await clock();
  await until(async () => (await clock()) !== first, `the clock drawn anew ${what}`);
}

test('nothing is drawn while the window is covered, minimised or on another desktop', async () => {
  app = await Kestrun.start();
  assert.deepEqual(await drawing(), ['visible', true]);

  const cover = spawn('xmessage', ['-geometry', '1280x1024+0+0', 'cover'], { env: app.env, stdio: 'ignore' });
  try {
    await hiddenWhile('under a window that covers it');
  } finally {
    cover.kill();
  }
  await shownAgain('once uncovered');

  await app.xdotool('windowminimize', '--sync', app.window);
  await hiddenWhile('while minimised');
  await app.xdotool('windowactivate', '--sync', app.window);
  await shownAgain('once restored');

  await app.xdotool('set_desktop', '1');
  await hiddenWhile('on another desktop');
  await app.xdotool('set_desktop', '0');
  await shownAgain('back on its desktop');
});
