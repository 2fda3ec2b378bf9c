// The calendar view under the real pointer: the navigation buttons clicked,
// and the day pop-up beside the pointer. (What the grid and the pop-up hold
// is tested in tests/page/view.)
import { describe, it, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { Kestrun } from './harness.mjs';

let app;

// Cell of day d of month m (0 = January) of year y.
const cellOf = (y, m, d) => new Date(y, m, 1).getDay() + d - 1;

// Picks a month in the selectors as the user does; their change event redraws.
async function show(y, m) {
  await app.run(`CLD.SY.selectedIndex = arguments[0] - 1900; CLD.SM.selectedIndex = arguments[1];
    CLD.SM.dispatchEvent(new Event('change'));`, y, m);
}

async function shown() {
  return app.run('return [CLD.SY.selectedIndex + 1900, CLD.SM.selectedIndex]');
}

async function cells() {
  return app.run(`var cells = [];
    for (var n = 0; n < 42; n++) {
      var sd = eval('SD' + n);
      cells.push({ number: sd.innerHTML, line: eval('LD' + n).innerHTML, className: sd.className,
        color: getComputedStyle(sd).color, background: getComputedStyle(sd).backgroundColor });
    }
    return cells;`);
}

// Centre of an element, scrolled into view first: the window may be smaller
// than the page.
async function center(selector) {
  await app.run(`var e = document.querySelector(arguments[0]); var r = e.getBoundingClientRect();
    if (r.left < 0 || r.top < 0 || r.right > innerWidth || r.bottom > innerHeight)
      e.scrollIntoView({ block: 'center', inline: 'center' });`, selector);
  const r = await app.rect(selector);
  return { x: Math.round(r.x + r.width / 2), y: Math.round(r.y + r.height / 2) };
}

// Moves the real pointer to page point (x, y) and waits until the page has
// seen it there. Where the pointer lands is measured once: window managers
// differ in how they report the window's origin.
let slip = null;
async function pointer(x, y) {
  if (!slip) {
    await app.run(`window.lastMove = null;
      document.addEventListener('mousemove', function (e) { lastMove = [e.clientX, e.clientY]; }, true);`);
    await app.pointerMove(20, 20);
    const seen = await app.waitFor('return lastMove', 'a first pointer move');
    slip = { x: seen[0] - 20, y: seen[1] - 20 };
  }
  await app.pointerMove(x - slip.x, y - slip.y);
  await app.waitFor(`return lastMove && lastMove[0] == ${x} && lastMove[1] == ${y}`, `the pointer at ${x}, ${y}`);
}

// Clicks a navigation button and waits for the redraw; the page must not reload.
async function press(key) {
  await app.run("GZ.innerHTML = 'drawing'; window.loadedOnce = true;");
  const at = await center(`button[onclick="pushBtm('${key}')"]`);
  await pointer(at.x, at.y);
  await app.xdotool('click', '1');
  await app.waitFor("return GZ.innerHTML != 'drawing'", `a redraw after the ${key || 'current-month'} button`);
  assert.equal(await app.run('return window.loadedOnce'), true, 'the page was reloaded');
}

describe('calendar view', () => {
  before(async () => { app = await Kestrun.start(); });
  after(async () => { if (app) await app.stop(); });

  describe('navigation buttons', () => {
    it('redraw the month in place, and the middle one returns to the load month', async () => {
      await show(2003, 11);
      await press('MD');
      assert.deepEqual(await shown(), [2004, 0]);
      assert.equal(await app.run('return YMBG.innerHTML'), '&nbsp;2004<br>&nbsp;JAN');
      await press('');
      assert.deepEqual(await shown(), await app.run('return [tY, tM]'));
      const marked = (await cells()).filter((c) => c.className === 'todyaColor');
      assert.deepEqual(marked.map((c) => [c.number, c.background]), [[String(await app.run('return tD')), 'rgb(0, 255, 255)']]);
    });
  });

  it('the day pop-up opens 63 left of and 8 below the real pointer, and follows it', async () => {
    // Room for the whole page, so that nothing needs scrolling.
    await app.resize(1000, 700);
    await app.waitFor('return innerWidth >= 900');
    await show(2003, 8);
    await app.run('window.scrollTo(0, 0)');
    const popup = () => app.run(`var r = detail.getBoundingClientRect();
      return [detail.innerHTML.indexOf('2003 年 9 月 11 日') >= 0, r.left, r.top, getComputedStyle(detail).visibility];`);
    const at = await center(`#SD${cellOf(2003, 8, 11)}`);
    await pointer(at.x, at.y);
    await app.waitFor('return snow == 1', 'the pop-up');
    assert.deepEqual(await popup(), [true, at.x - 63, at.y + 8, 'visible']);
    await pointer(at.x + 3, at.y + 2);
    assert.deepEqual(await popup(), [true, at.x + 3 - 63, at.y + 2 + 8, 'visible']);
  });
});
