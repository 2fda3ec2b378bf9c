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

  describe('day pop-up', () => {
    // Moves the real pointer off the grid, then onto day d's number, and
    // waits for the pop-up; resolves with where the pointer is.
    async function pointAt(y, m, d) {
      await leaveGrid();
      const at = await center(`#SD${cellOf(y, m, d)}`);
      await pointer(at.x, at.y);
      await app.waitFor('return snow == 1', 'the pop-up');
      return at;
    }

    // Onto the weekday row, just above the day cells.
    async function leaveGrid() {
      const heading = await center('tr[bgcolor="#e0e0e0"] td');
      await pointer(heading.x, heading.y);
      await app.waitFor('return snow == 0', 'the pop-up to close');
    }

    async function popup() {
      return app.run(`var lines = detail.querySelector('td[align=right]').innerHTML.split(/<br>/i)
          .map(function (l) { return l.replace(/<[^>]*>/g, ''); });
        var block = detail.querySelector('table[bgcolor="#CCFFCC"]');
        var r = detail.getBoundingClientRect();
        return { lines: lines, festival: block ? block.textContent : null, left: r.left, top: r.top,
          visibility: getComputedStyle(detail).visibility,
          scroll: [document.body.scrollLeft, document.body.scrollTop] };`);
    }

    it('shows the three days at 63 left of and 8 below the pointer', async () => {
      // Room for the whole page, so that nothing needs scrolling.
      await app.resize(1000, 700);
      await app.waitFor('return innerWidth >= 900');
      await show(2003, 8);
      await app.run('window.scrollTo(0, 0)');
      const at = await pointAt(2003, 8, 11);
      let p = await popup();
      assert.deepEqual(p.scroll, [0, 0]);
      assert.deepEqual(p.lines, ['2003 年 9 月 11 日', '星期四', '农历 8 月 15 日', '癸未年 辛酉月 丁亥日']);
      assert.equal(p.festival, '  中秋节 ');
      assert.deepEqual([p.left, p.top, p.visibility], [at.x - 63, at.y + 8, 'visible']);
      assert.equal(await app.run(`return eval('SD${cellOf(2003, 8, 11)}').style.cursor`), 's-resize');

      // It follows the pointer within the cell.
      await pointer(at.x + 3, at.y + 2);
      p = await popup();
      assert.deepEqual([p.left, p.top], [at.x + 3 - 63, at.y + 2 + 8]);
    });

    it('shows nothing over a blank cell, and no green block on a plain day', async () => {
      await show(2003, 8);
      await pointAt(2003, 8, 3);
      assert.equal((await popup()).festival, null);
      await leaveGrid();
      const html = await app.run('return detail.innerHTML');
      const blank = await center('#GD0');  // 1 September 2003 is a Monday
      await pointer(blank.x, blank.y);
      await pointer(blank.x + 1, blank.y + 1);
      assert.deepEqual(await app.run('return [snow, detail.innerHTML == arguments[0], getComputedStyle(detail).visibility]', html),
        [0, true, 'hidden']);
    });

  });
});
