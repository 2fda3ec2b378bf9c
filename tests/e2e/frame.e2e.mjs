// The page frame in the real program: head, banner, colour bars, layout,
// footer, start-up and shut-down, the suppressed context menu, the remembered
// zone across a restart, and the browser shims (lit map, pop-up shadow, fonts).
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

  test('head: encoding, title and the descriptive entries in order', async () => {
    const head = await app.run(`return {
      charset: document.characterSet,
      title: document.title,
      metas: Array.from(document.querySelectorAll('meta'), function (m) {
        return [m.name || m.httpEquiv, m.content];
      })
    };`);
    assert.equal(head.charset, 'GBK');
    assert.equal(head.title, '1900-2100 两百年Morvane日历');
    const contentType = ['content-type', 'text/html; charset=gb2312'];
    assert.deepEqual(head.metas, [
      contentType,
      ['keywords', '时间; JavaScript 日历;世界时间; 农历; 阳历; 阴历; 节日; 时区; 节气; 干支; 生肖; world time clock; gregorian solar; chinese lunar; calendar;'],
      ['robots', 'All'], ['RATING', 'General'], ['ROBOTS', 'ALL'], ['REVISIT', '1'],
      ['expires', '0'], ['Pragma', 'no-cache'], ['Cache-Control', 'no-cache'],
      ['GENERATOR', 'MSHTML 5.50.4134.600'],
      contentType,
    ]);
  });

  test('the body starts at the banner, with the bar, the main script and the style after it', async () => {
    const body = await app.run(`var b = document.body, f = b.firstElementChild.querySelector('font');
      return {
        order: Array.from(b.children).slice(0, 4).map(function (e) { return e.tagName; }),
        align: b.firstElementChild.getAttribute('align'),
        banner: [f.textContent, getComputedStyle(f).color, f.face],
        script: b.children[2].getAttribute('language'),
        todayRule: getComputedStyle(document.body).backgroundColor,
        styleText: b.children[3].textContent
      };`);
    assert.deepEqual(body.order, ['DIV', 'TABLE', 'SCRIPT', 'STYLE']);
    assert.equal(body.align, 'center');
    assert.deepEqual(body.banner, ['Kestrun', 'rgb(0, 153, 255)', '华文行楷']);
    assert.equal(body.script, 'JScript');
    assert.match(body.styleText, /\.todyaColor\s*\{\s*BACKGROUND-COLOR: aqua\s*\}/);
    assert.equal(body.todayRule, 'rgb(255, 255, 255)');
  });

  // Known fault, left to the host: with the control taller than the client
  // area, the engine leaves its top rows unpainted, cutting the banner.
  test('the banner is drawn whole at the top of the window', { todo: 'host: top rows of the view unpainted' }, async () => {
    const banner = await app.rect('div[align=center]');
    const shot = await app.screenshot('banner');
    for (const y of [1, 4, banner.y + 2]) {
      assert.deepEqual(shot.pixel(3, y), [255, 255, 255], `page background at y ${y}`);
    }
    let ink = 0;
    for (let x = banner.x; x < banner.x + banner.width; x += 1) {
      const [r, g, b] = shot.pixel(x, banner.y + banner.height / 3);
      if (b > 200 && r < 150) ink++;
    }
    assert.ok(ink > 0, 'the upper part of the blue banner text');
  });

  test('both colour bars: four coloured quarters between one-pixel black lines', async () => {
    const bars = await app.run(`var bars = Array.from(document.querySelectorAll('table')).filter(function (t) {
        return t.getAttribute('bgColor') == '000000'; });
      return bars.map(function (t) {
        var r = t.getBoundingClientRect();
        return {
          isLast: t == document.body.lastElementChild,
          isFirst: t == document.body.children[1],
          table: [getComputedStyle(t).backgroundColor, t.cellSpacing, t.cellPadding, t.width, t.border],
          width: r.width, bodyWidth: document.body.getBoundingClientRect().width,
          cells: Array.from(t.rows[0].cells, function (c) {
            var cr = c.getBoundingClientRect();
            return { color: getComputedStyle(c).backgroundColor, width: c.width, height: cr.height,
                     x: cr.left + cr.width / 2, y: cr.top + cr.height / 2 };
          })
        };
      });`);
    assert.equal(bars.length, 2);
    assert.ok(bars[0].isFirst, 'the top bar follows the banner');
    assert.ok(bars[1].isLast, 'the bottom bar ends the body');
    const shot = await app.screenshot('colour-bars');
    for (const bar of bars) {
      assert.deepEqual(bar.table, ['rgb(0, 0, 0)', '1', '0', '100%', '0']);
      assert.ok(Math.abs(bar.width - bar.bodyWidth) <= 1, 'the bar spans the page');
      assert.deepEqual(bar.cells.map((c) => c.color),
        ['rgb(254, 206, 0)', 'rgb(77, 170, 206)', 'rgb(254, 140, 20)', 'rgb(140, 202, 45)']);
      assert.deepEqual(bar.cells.map((c) => [c.width, c.height]), Array(4).fill(['25%', 4]));
      assert.deepEqual(bar.cells.map((c) => shot.pixel(c.x, c.y)),
        [[254, 206, 0], [77, 170, 206], [254, 140, 20], [140, 202, 45]]);
    }
  });

  test('three cells: world clock 240 wide, calendar, navigation 40 wide, reached through their forms', async () => {
    const layout = await app.run(`var wc = document.WorldClock, cld = CLD;
      var row = wc.continentMenu.closest('td[width="240"]').parentElement;
      return {
        centred: row.closest('table').parentElement.tagName,
        cells: Array.from(row.cells, function (c) {
          return [c.vAlign, c.align, c.width, Math.round(c.getBoundingClientRect().width)]; }),
        forms: [wc.tagName, cld.tagName, document.forms.length],
        menus: [wc.continentMenu.tagName, wc.countryMenu.tagName, row.cells[0].contains(wc.countryMenu)],
        selectors: [cld.SY.tagName, cld.SM.tagName, row.cells[1].contains(cld.SY), row.cells[1].contains(cld.SM)],
        buttons: Array.from(row.cells[2].querySelectorAll('input, button'), function (b) { return b.form == cld; })
      };`);
    assert.equal(layout.centred, 'CENTER');
    assert.equal(layout.cells.length, 3);
    const [world, calendar, navigation] = layout.cells;
    assert.deepEqual(world.slice(0, 3), ['top', 'middle', '240']);
    assert.ok(world[3] >= 240, `world-clock cell is ${world[3]} px wide`);
    assert.deepEqual(calendar.slice(0, 3), ['', 'middle', '']);
    assert.deepEqual(navigation.slice(0, 3), ['top', 'middle', '40']);
    assert.deepEqual(layout.forms, ['FORM', 'FORM', 2]);
    assert.deepEqual(layout.menus, ['SELECT', 'SELECT', true]);
    assert.deepEqual(layout.selectors, ['SELECT', 'SELECT', true, true]);
    assert.ok(layout.buttons.length >= 5 && layout.buttons.every(Boolean), 'the navigation buttons belong to CLD');
  });

  test('footer: the last-modified date, centred, white on white', async () => {
    const footer = await app.run(`var f = Array.from(document.querySelectorAll('font')).filter(function (e) {
        return e.innerText.indexOf('最后更新日期: ') == 0; });
      return f.map(function (e) { return {
        text: e.innerText, today: Today.getTime(),
        color: getComputedStyle(e).color, size: e.style.fontSize,
        page: getComputedStyle(document.body).backgroundColor,
        centred: e.parentElement.tagName, next: e.nextElementSibling && e.nextElementSibling.tagName }; });`);
    assert.equal(footer.length, 1);
    // For a local file the engine reports the time the page is read, which is
    // when the program has just written it.
    const [, mo, d, y, h, mi, sec] = /^最后更新日期: (\d\d)\/(\d\d)\/(\d{4}) (\d\d):(\d\d):(\d\d)$/.exec(footer[0].text).map(Number);
    const written = new Date(y, mo - 1, d, h, mi, sec).getTime();
    assert.ok(Math.abs(written - footer[0].today) < 5000, `${footer[0].text} at load ${new Date(footer[0].today)}`);
    assert.deepEqual([footer[0].color, footer[0].page], ['rgb(255, 255, 255)', 'rgb(255, 255, 255)']);
    assert.deepEqual([footer[0].size, footer[0].centred, footer[0].next], ['9pt', 'CENTER', 'BR']);
  });

  test('a current engine gets no browser warning', async () => {
    const warned = await app.run(`return [document.querySelectorAll('h1').length,
      document.body.innerText.indexOf('你的浏览器无法执行此程序。') >= 0,
      document.body.innerText.indexOf('此程序需在 IE4 以后的版本才能执行!!') >= 0];`);
    assert.deepEqual(warned, [0, false, false]);
  });

  test('the page-load date is the local date', async () => {
    const before = new Date();
    const page = await app.run('return [tY, tM, tD, Today.getTime()];');
    const loaded = new Date(page[3]);
    assert.deepEqual(page.slice(0, 3), [loaded.getFullYear(), loaded.getMonth(), loaded.getDate()]);
    assert.ok(before - loaded >= 0 && before - loaded < 10 * 60 * 1000, 'taken at load, from the system clock');
  });

  test('start-up ran once: one entry per continent, the load month selected and drawn', async () => {
    const state = await app.run(`return [objContinentMenu.options.length, Object.keys(timeData).length,
      CLD.SY.selectedIndex, tY - 1900, CLD.SM.selectedIndex, tM, typeof cld, typeof dStyle];`);
    assert.equal(state[0], state[1]);
    assert.equal(state[2], state[3]);
    assert.equal(state[4], state[5]);
    assert.deepEqual(state.slice(6), ['object', 'object']);
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

  test('fonts: the menu font has half-width Latin letters, the symbols come from our font', async () => {
    const widths = await app.run(`return Promise.all([document.fonts.load("9pt '细明体'", 'A中'),
        document.fonts.load('12pt Wingdings', 'R\\u00da\\u00d9')]).then(function () {
      var c = document.createElement('canvas').getContext('2d');
      c.font = "9pt '细明体'";
      var latin = c.measureText('Asia').width / 4, space = c.measureText('    ').width / 4, han = c.measureText('亚洲').width / 2;
      c.font = '12pt Wingdings';
      var marks = ['R', '\\u00da', '\\u00d9'].map(function (ch) { return c.measureText(ch).width; });
      return [latin, space, han, marks, parseFloat(getComputedStyle(document.body).fontSize)];
    });`);
    const [latin, space, han, marks] = widths;
    assert.ok(Math.abs(latin * 2 - han) < 0.5 && Math.abs(space * 2 - han) < 0.5,
      `Latin ${latin}, space ${space}, Chinese ${han}`);
    // Our symbols are one em wide: 16 px at 12pt.
    assert.deepEqual(marks.map(Math.round), [16, 16, 16]);
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

  test('the zone chosen in one run comes back in the next; the first run opens on Asia, China', async () => {
    const first = await app.run('return [document.cookie, objContinentMenu.selectedIndex, objCountryMenu.selectedIndex];');
    assert.deepEqual(first, ['', 0, 3]);
    await app.run('setTZ(1, 2);');
    await app.restart();
    const next = await app.run('return [getCookie("TZ1"), getCookie("TZ2"), objContinentMenu.selectedIndex, objCountryMenu.selectedIndex];');
    assert.deepEqual(next, ['1', '2', 1, 2]);
  });
});
