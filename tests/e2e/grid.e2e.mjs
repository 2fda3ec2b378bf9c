// The month grid as it is drawn at the designed size, maximised and at twice
// the pixel density: no holiday badge over a day's digits, and a grid that
// keeps its place and width in every month.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { Kestrun, execFileP } from './harness.mjs';

// For month m (0 = January) of 2026: the cells whose badge box meets their
// number's box, the grid's left edge and width, and the heading's height in lines.
const drawn = (app, m) => app.run(`CLD.SY.selectedIndex = 126; CLD.SM.selectedIndex = arguments[0]; changeCld();
  var over = [], n, b, s, grid = GD0.closest('TABLE').getBoundingClientRect();
  for (n = 0; n < 42; n++) {
    b = eval('HD' + n).getBoundingClientRect(); s = eval('SD' + n).getBoundingClientRect();
    if (b.width && b.left < s.right && b.right > s.left && b.top < s.bottom && b.bottom > s.top) over.push(n);
  }
  return { over: over, left: grid.left + scrollX, width: grid.width,
    lines: Math.round(GZ.parentNode.getBoundingClientRect().height / CLD.SY.getBoundingClientRect().height) };`, m);

// February and October 2026 hold the long breaks and their make-up days.
async function noBadgeOverADigit(app, where) {
  for (const m of [1, 9]) assert.deepEqual((await drawn(app, m)).over, [], `${where}, month ${m + 1}`);
}

test('badges beside the digits at the designed size, maximised and at GDK_SCALE=2; the grid stays put in every month', async () => {
  let app = await Kestrun.start();
  try {
    await noBadgeOverADigit(app, 'designed size');
    await execFileP('wmctrl', ['-i', '-r', app.window, '-b', 'add,maximized_vert,maximized_horz'], { env: app.env });
    await app.waitFor('return innerWidth > 1000', 'the window maximised');
    await noBadgeOverADigit(app, 'maximised');
    const months = [];
    for (let m = 0; m < 12; m++) months.push(await drawn(app, m));
    assert.deepEqual(months.map(({ left, width, lines }) => ({ left, width, lines })),
      Array(12).fill({ left: months[0].left, width: months[0].width, lines: 1 }));
  } finally { await app.stop(); }
  app = await Kestrun.start({ env: { GDK_SCALE: '2' } });
  try {
    assert.equal(await app.run('return devicePixelRatio'), 2);
    await noBadgeOverADigit(app, 'GDK_SCALE=2');
  } finally { await app.stop(); }
});
