// The calendar view in the real program: the grid after start-up, whole
// months, the headings, every navigation edge by real clicks on the buttons,
// and the day pop-up under the real pointer.
import { describe, it, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { Kestrun } from './harness.mjs';

let app;

const font = (color, text) => `<font color="${color}">${text}</font>`;
const RED = 'rgb(255, 0, 0)';

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

  describe('grid', () => {
    it('opens on the current month with today on aqua', async () => {
      const now = new Date();
      const [y, m, d] = [now.getFullYear(), now.getMonth(), now.getDate()];
      assert.deepEqual(await shown(), [y, m]);
      const grid = await cells();
      const length = new Date(y, m + 1, 0).getDate();
      const first = cellOf(y, m, 1);
      assert.deepEqual(grid.map((c) => c.number),
        grid.map((_, n) => (n >= first && n < first + length ? String(n - first + 1) : '')));
      const marked = grid.filter((c) => c.className === 'todyaColor');
      assert.deepEqual(marked.map((c) => c.number), [String(d)]);
      assert.equal(marked[0].background, 'rgb(0, 255, 255)');
    });

    it('April 2003', async () => {
      await show(2003, 3);
      const grid = await cells();
      const day = (d) => grid[cellOf(2003, 3, d)];
      assert.deepEqual([0, 1, 32, 33, 41].map((n) => grid[n].number + grid[n].line), ['', '', '', '', '']);
      assert.equal(grid[2].number, '1');
      assert.equal(day(1).line, font('blue', '愚人节 ...'));
      assert.equal(day(2).line, '<b>3月小</b>');
      assert.equal(day(5).line, font('red', '清明节'));
      assert.equal(day(5).color, RED);
      assert.equal(day(20).line, font('blue', ' 复活节 Eas...'));
      assert.equal(day(24).line, font('red', '妈祖生辰...'));
      assert.equal(await app.run('return YMBG.innerHTML'), '&nbsp;2003<br>&nbsp;APR');
    });

    it('June 2003, December 2002, January 2004 and July 2025', async () => {
      await show(2003, 5);
      let grid = await cells();
      const june = (d) => grid[cellOf(2003, 5, d)].line;
      assert.deepEqual([june(13), june(6), june(22), june(4)],
        [font('black', '黑色星期五'), font('red', '芒种'), font('red', '夏至'), font('red', '端午节 ')]);
      await show(2002, 11);
      grid = await cells();
      assert.equal(grid[cellOf(2002, 11, 13)].line, font('blue', '南京大屠...'));
      await show(2004, 0);
      grid = await cells();
      assert.equal(grid[cellOf(2004, 0, 21)].line, font('red', '除夕 '));
      assert.equal(grid[cellOf(2004, 0, 21)].color, RED);
      await show(2025, 6);
      grid = await cells();
      assert.equal(grid[cellOf(2025, 6, 25)].line, '<b>闰6月小</b>');
    });

    it('February 2015 fills four rows, August 2020 reaches row 5', async () => {
      await show(2015, 1);
      let numbers = (await cells()).map((c) => c.number);
      assert.deepEqual(numbers.slice(0, 28), Array.from({ length: 28 }, (_, i) => String(i + 1)));
      assert.deepEqual(numbers.slice(28), Array(14).fill(''));
      await show(2020, 7);
      numbers = (await cells()).map((c) => c.number);
      assert.deepEqual([numbers[5], numbers[6], numbers[35], numbers[36], numbers[37]], ['', '1', '30', '31', '']);
    });

    it('January 1900 shows no lunar date before the lunar table', async () => {
      await show(1900, 0);
      const grid = await cells();
      const lines = [29, 30, 31].map((d) => grid[cellOf(1900, 0, d)].line);
      assert.deepEqual(lines, ['', '', '']);
    });

    it('headings', async () => {
      const headings = {
        1900: '光绪26年 农历 庚子年 【鼠年】',
        1909: '宣统元年 农历 己酉年 【鸡年】',
        1912: '民国元年 农历 壬子年 【鼠年】',
        1949: '建国元年 农历 己丑年 【牛年】',
        2003: '建国55年 农历 癸未年 【羊年】',
        2100: '建国152年 农历 庚申年 【猴年】',
      };
      for (const [year, heading] of Object.entries(headings)) {
        await show(Number(year), 0);
        assert.equal(await app.run('return GZ.innerHTML'), heading);
      }
    });
  });

  describe('navigation buttons', () => {
    it('clamp the year, wrap the month and return to the load month', async () => {
      // [from year, from month, button key, to year, to month]
      const moves = [
        [2100, 11, 'YD', 2100, 11],
        [2100, 11, 'MD', 2100, 0],
        [1900, 0, 'YU', 1900, 0],
        [1900, 0, 'MU', 1900, 11],
        [2003, 11, 'MD', 2004, 0],
        [2004, 0, 'MU', 2003, 11],
        [2003, 5, 'YD', 2004, 5],
        [2003, 5, 'YU', 2002, 5],
      ];
      for (const [fy, fm, key, ty, tm] of moves) {
        await show(fy, fm);
        await press(key);
        assert.deepEqual(await shown(), [ty, tm], `${key} from ${fy}-${fm + 1}`);
        assert.equal(await app.run('return YMBG.innerHTML'),
          `&nbsp;${ty}<br>&nbsp;${['JAN', 'FEB', 'MAR', 'APR', 'MAY', 'JUN', 'JUL', 'AUG', 'SEP', 'OCT', 'NOV', 'DEC'][tm]}`);
      }
      await show(1950, 3);
      await press('');
      assert.deepEqual(await shown(), await app.run('return [tY, tM]'));
      const marked = (await cells()).filter((c) => c.className === 'todyaColor');
      assert.equal(marked.length, 1);
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
      let at = await pointAt(2003, 8, 11);
      let p = await popup();
      assert.deepEqual(p.scroll, [0, 0]);
      assert.deepEqual(p.lines, ['2003 年 9 月 11 日', '星期四', '农历 8 月 15 日', '癸未年 辛酉月 丁亥日']);
      assert.equal(p.festival, '  中秋节 ');
      assert.deepEqual([p.left, p.top, p.visibility], [at.x - 63, at.y + 8, 'visible']);
      assert.equal(await app.run(`return eval('SD${cellOf(2003, 8, 11)}').style.cursor`), 's-resize');

      await show(2001, 4);
      await pointAt(2001, 4, 23);
      p = await popup();
      assert.equal(p.lines[2], '农历闰 4 月 1 日');
      assert.equal(p.festival, ' 国际牛奶日  ');

      await show(2004, 2);
      at = await pointAt(2004, 2, 20);
      p = await popup();
      assert.deepEqual(p.lines.slice(2), ['农历 2 月 30 日', '甲申年 丁卯月 戊戌日']);
      assert.equal(p.festival, '春分  ');

      // It follows the pointer within the cell.
      await pointer(at.x + 3, at.y + 2);
      p = await popup();
      assert.deepEqual([p.left, p.top], [at.x + 3 - 63, at.y + 2 + 8]);
    });

    it('keeps its place beside the pointer on a scrolled page', async () => {
      await show(2003, 8);
      await app.run(`var wide = document.createElement('div'); wide.id = 'e2e-room';
        wide.style.cssText = 'width:4000px;height:4000px'; document.body.appendChild(wide);
        window.scrollTo(37, 53);`);
      try {
        assert.deepEqual(await app.run('return [document.body.scrollLeft, document.body.scrollTop]'), [37, 53]);
        const at = await pointAt(2003, 8, 11);
        const p = await popup();
        assert.deepEqual([p.left, p.top], [at.x - 63, at.y + 8]);
        assert.equal(p.lines[0], '2003 年 9 月 11 日');
      } finally {
        await app.run("window.scrollTo(0, 0); document.getElementById('e2e-room').remove();");
      }
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

    it('after navigating, shows the month on display', async () => {
      await show(2003, 11);
      await press('MD');
      await pointAt(2004, 0, 21);
      const p = await popup();
      assert.equal(p.lines[0], '2004 年 1 月 21 日');
      assert.match(p.festival, /除夕/);
    });
  });
});
