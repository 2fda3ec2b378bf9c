// The page frame as the real program draws it: colour bars, footer date, the
// suppressed context menu, and the browser shims (lit map, pop-up shadow,
// fonts, menu entries' spaces).
import { describe, test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { Kestrun, until } from './harness.mjs';

const brightness = (p) => p[0] + p[1] + p[2];

describe('page frame', () => {
  let app;

  before(async () => {
    app = await Kestrun.start();
    await app.resize(1000, 720);
  });
  after(() => app?.stop());

  test('both colour bars, below the banner and at the end: four coloured quarters', async () => {
    const bars = await app.run(`var body = document.body;
      return [body.children[1], body.lastElementChild].map(function (t) {
        return Array.from(t.rows[0].cells, function (c) {
          var r = c.getBoundingClientRect(); return [r.left + r.width / 2, r.top + r.height / 2]; });
      });`);
    const shot = await app.screenshot('colour-bars');
    for (const cells of bars) {
      assert.deepEqual(cells.map(([x, y]) => shot.pixel(x, y)),
        [[254, 206, 0], [77, 170, 206], [254, 140, 20], [140, 202, 45]]);
    }
  });

  test('footer: the date the page file was written', async () => {
    const [text, today] = await app.run(`var f = Array.from(document.querySelectorAll('font')).filter(function (e) {
        return e.innerText.indexOf('最后更新日期: ') == 0; });
      return [f.length == 1 && f[0].innerText, Today.getTime()];`);
    // For a local file the engine reports the time the page is read, which is
    // when the program has just written it.
    const [, mo, d, y, h, mi, sec] = /^最后更新日期: (\d\d)\/(\d\d)\/(\d{4}) (\d\d):(\d\d):(\d\d)$/.exec(text).map(Number);
    const written = new Date(y, mo - 1, d, h, mi, sec).getTime();
    assert.ok(Math.abs(written - today) < 5000, `${text} at load ${new Date(today)}`);
  });

  test('right-clicking anywhere opens no context menu', async () => {
    const base = (await app.windows()).length;
    // Control: a left click on a menu does open a pop-up window of the program.
    const menu = await app.rect('select[name=continentMenu]');
    await app.click(menu.x + menu.width / 2, menu.y + menu.height / 2);
    await until(async () => (await app.windows()).length > base, 'the menu pop-up');
    await app.key('Escape');
    await until(async () => (await app.windows()).length === base, 'the menu pop-up to close');

    for (const selector of ['div[align=center]', '#map', 'select[name=SY]', 'td[width="40"]', 'body']) {
      const r = await app.rect(selector);
      await app.click(r.x + Math.min(r.width / 2, 200), r.y + Math.min(r.height / 2, 200), 'right');
      await new Promise((resolve) => setTimeout(resolve, 500));
      assert.equal((await app.windows()).length, base, `context menu over ${selector}`);
    }
    await app.key('Escape');
  });

  test('the map strip is lit, brightest in its middle, with the green map on blue', async () => {
    const map = await app.rect('#map');
    const world = await app.run(`return document.fonts.load('185px Webdings', '\\ue3a8').then(function () {
      var c = document.createElement('canvas').getContext('2d');
      c.font = '185px Webdings';
      return [world.textContent.charCodeAt(0), c.measureText('\\ue3a8').width];
    });`);
    assert.equal(world[0], 0xe3a8, 'the map character decoded from the page');
    assert.ok(world[1] >= 240 + 230, `the map glyph is ${world[1]} px wide`);

    const shot = await app.screenshot('lit-map');
    // The ocean's blue, at its brightest, in a middle and in an end column.
    const ocean = (x0, x1) => {
      let best = 0;
      for (let x = x0; x < x1; x += 2) {
        for (let y = map.y + 10; y < map.y + map.height - 10; y += 2) {
          const [r, g, b] = shot.pixel(x, y);
          if (b > r + 40 && b > g + 40) best = Math.max(best, b);
        }
      }
      return best;
    };
    const middle = ocean(map.x + map.width / 2 - 20, map.x + map.width / 2 + 20);
    const left = ocean(map.x + 2, map.x + 22);
    const right = ocean(map.x + map.width - 22, map.x + map.width - 2);
    assert.ok(middle > left + 30 && middle > right + 30, `ocean blue: left ${left}, middle ${middle}, right ${right}`);
    let land = 0;
    for (let x = map.x + 2; x < map.x + map.width - 2; x += 3) {
      for (let y = map.y + 2; y < map.y + map.height - 2; y += 3) {
        const [r, g, b] = shot.pixel(x, y);
        if (g > r + 30 && g > b + 10) land++;
      }
    }
    assert.ok(land > 200, `green land pixels: ${land}`);
  });

  test('the symbols come from our font, one em wide', async () => {
    const marks = await app.run(`return document.fonts.load('12pt Wingdings', 'R\\u00da\\u00d9').then(function () {
      var c = document.createElement('canvas').getContext('2d');
      c.font = '12pt Wingdings';
      return ['R', '\\u00da', '\\u00d9'].map(function (ch) { return Math.round(c.measureText(ch).width); });
    });`);
    assert.deepEqual(marks, [16, 16, 16]); // 12pt is 16 px
  });

  test('menu entries read back exactly as appended, spaces included', async () => {
    const texts = await app.run(`return [Array.from(objContinentMenu.options, function (o) { return o.text; }),
      Object.keys(timeData)];`);
    assert.ok(texts[1].some((key) => / {2}|\s$/.test(key)), 'the keys carry runs of spaces');
    assert.deepEqual(texts[0], texts[1]);
  });

  test('each font the page names is drawn in its substitute, not in the fallback', async () => {
    const fonts = [
      ["'华文行楷'", "'AR PL UKai CN'", '两百年日历'],
      ["'标楷体'", "'AR PL UKai TW'", '农历丙午年'],
      ["'细明体'", "'WenQuanYi Zen Hei Mono'", 'Asia 亚洲'],
      ["'新细明体'", "'AR PL UMing TW'", 'Porto 北京'],
      ['Arial', "'Liberation Sans'", '2026 Abc'],
      ["bold 'Arial Black'", "bold 'DejaVu Sans'", '0000 JUN'],
    ];
    const drawn = await app.run(`var fonts = arguments[0];
      function ink(font, text) {
        var c = document.createElement('canvas'); c.width = 300; c.height = 60;
        var g = c.getContext('2d'); g.font = font; g.fillText(text, 5, 45);
        var d = g.getImageData(0, 0, 300, 60).data, h = 0;
        for (var i = 3; i < d.length; i += 4) h = (h * 31 + d[i]) >>> 0;
        return h;
      }
      function font(name) { return name.indexOf('bold ') == 0 ? 'bold 32px ' + name.slice(5) : '32px ' + name; }
      return Promise.all(fonts.map(function (f) { return document.fonts.load(font(f[0]), f[2]); })).then(function () {
        return fonts.map(function (f) {
          return [f[0], ink(font(f[0]), f[2]) == ink(font(f[1]), f[2]), ink(font(f[0]), f[2]) != ink("32px 'No Such Font'", f[2])];
        }).concat([['watermark weight', getComputedStyle(YMBG).fontWeight]]);
      });`, fonts);
    assert.deepEqual(drawn, fonts.map((f) => [f[0], true, true]).concat([['watermark weight', '700']]));
  });

  test('the day pop-up casts a shadow down-right and lets the page show through', async () => {
    const cell = await app.run(`for (var n = 0; n < 42; n++)
        if (document.getElementById('SD' + n).innerHTML != '') {
          var r = document.getElementById('GD' + n).getBoundingClientRect();
          return { x: r.left + r.width / 2, y: r.top + r.height / 2 }; }
      return null;`);
    assert.ok(cell, 'a day cell in the grid');
    await app.pointerMove(cell.x, cell.y);
    await app.waitFor("return detail.style.visibility == 'visible' && detail.querySelector('table') != null",
      'the pop-up');
    const table = await app.rect('#detail table');
    const shown = await app.screenshot('pop-up');
    const away = await app.rect('td[width="40"]');
    await app.pointerMove(away.x + away.width / 2, away.y + away.height - 5);
    await app.waitFor("return detail.style.visibility == 'hidden'", 'the pop-up to hide');
    const hidden = await app.screenshot('pop-up-hidden');

    const right = [table.x + table.width + 2, table.y + table.height / 2];
    const below = [table.x + table.width / 2, table.y + table.height + 2];
    const aboveLeft = [table.x - 3, table.y - 3];
    for (const at of [right, below]) {
      assert.ok(brightness(shown.pixel(...at)) < brightness(hidden.pixel(...at)) - 60,
        `shadow at ${at}: ${shown.pixel(...at)} over ${hidden.pixel(...at)}`);
    }
    assert.ok(Math.abs(brightness(shown.pixel(...aboveLeft)) - brightness(hidden.pixel(...aboveLeft))) < 30,
      'no shadow up-left');
    // The navy table at 80 % over the page: not the pure #000066.
    const [r, g, b] = shown.pixel(table.x + 1, table.y + 1);
    const [pr, pg, pb] = hidden.pixel(table.x + 1, table.y + 1);
    assert.ok(Math.abs(r - (0.8 * 0 + 0.2 * pr)) < 12 && Math.abs(g - 0.2 * pg) < 12 &&
      Math.abs(b - (0.8 * 102 + 0.2 * pb)) < 12, `pop-up ${[r, g, b]} over ${[pr, pg, pb]}`);
  });
});
