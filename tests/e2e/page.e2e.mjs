// The page in the real program, as it draws on a first start: footer date,
// the zone column, the clocks against the system's own reading of its
// time-zone database, no context menu, the browser shims (lit map, pop-up
// shadow, fonts); the keyboard (real key presses on the X display), the names
// a screen reader gets, official holidays (the shipped table built in, the
// show setting across a restart, a refused holidays.tsv named); the day's
// almanac (today's at start, a clicked day's, hidden across a restart); and a page
// that stays: it can neither leave, open a window nor read another local file.
// (The day cells' names, which days are holidays and their badges' colours are
// tested in tests/page/view.)
import { describe, test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';
import { Kestrun, execFileP, sleep, until } from './harness.mjs';

let app;

// A POSIX rule, which the engine on its own reads as UTC; the program and this
// test process both run under it.
const TZ = process.env.TZ = 'CST-8';

// Entries whose own offsets and rules no longer hold: Turkey, Brazil(EST),
// Russia(Moscow), US(Eastern), Western Samoa.
const ENTRIES = [[1, 23, 'Europe/Istanbul'], [7, 7, 'America/Sao_Paulo'], [3, 16, 'Europe/Moscow'],
  [6, 6, 'America/New_York'], [9, 31, 'Pacific/Apia']];

// date(1)'s reading of second s in zone tz, as a clock text ("2026年12月7日 (一) 下午 01:05:09").
async function dateText(tz, s) {
  const { stdout } = await execFileP('date', ['-d', `@${s}`, '+%Y %-m %-d %w %-H %M %S'], { env: { TZ: tz } });
  const [y, m, d, w, h, mi, sec] = stdout.trim().split(' ');
  const [word, hour] = h > 12 ? ['下午', h - 12] : ['上午', h];
  return `${y}年${m}月${d}日 (${'日一二三四五六'[w]}) ${word} ${String(hour).padStart(2, '0')}:${mi}:${sec}`;
}

const brightness = (p) => p[0] + p[1] + p[2];

// Contrast of a CSS rgb() or rgba() colour drawn over an opaque one, as WCAG reckons it.
function contrast(fore, back) {
  const [r, g, b, alpha = 1] = fore.match(/[\d.]+/g).map(Number), under = back.match(/[\d.]+/g).map(Number);
  const lum = (c) => c.map((v) => v / 255).map((v) => (v <= 0.03928 ? v / 12.92 : ((v + 0.055) / 1.055) ** 2.4))
    .reduce((sum, v, i) => sum + v * [0.2126, 0.7152, 0.0722][i], 0);
  const [hi, lo] = [lum([r, g, b].map((v, i) => v * alpha + under[i] * (1 - alpha))), lum(under.slice(0, 3))].sort((x, y) => y - x);
  return (hi + 0.05) / (lo + 0.05);
}

const shown = () => app.run('return [CLD.SY.selectedIndex + 1900, CLD.SM.selectedIndex, cld[0].sYear, cld[0].sMonth - 1]');

const show = (y, m) => app.run('document.activeElement.blur(); CLD.SY.selectedIndex = arguments[0] - 1900;' +
  ' CLD.SM.selectedIndex = arguments[1]; changeCld();', y, m);

// The marked day: [year, month, day], whether its cell has the focus and the
// mark, and the pop-up's text and place (left of the pop-up - right of the cell).
const marked = () => app.run(`var cell = document.activeElement, box = cell.getBoundingClientRect();
  return { day: [cld[0].sYear, cld[0].sMonth - 1, kDay], focused: cell.id == 'GD' + (cld.firstWeek + kDay - 1),
    mark: cell.style.outlineStyle, popup: detail.style.visibility == 'visible' ? detail.innerText.split('\\n')[0] : '',
    gap: detail.getBoundingClientRect().left - box.right, top: detail.getBoundingClientRect().top - box.top };`);

async function press(key, check) {
  await app.key(key);
  await app.waitFor(check, `the page to answer ${key}`);
}

// Draws October 2026 (it begins on a Thursday: cell 4 is the 1st); the 1st's badge.
const october = () => app.run('CLD.SY.selectedIndex = 126; CLD.SM.selectedIndex = 9; changeCld(); return HD4.innerHTML');

describe('page', () => {
  before(async () => {
    app = await Kestrun.start({ accessibility: true });
    await app.resize(1000, 720);
  });
  after(() => app?.stop());

  test('the lit map: our symbol font\'s one glyph, green land on blue, brightest in the middle, zoomed too', async () => {
    const width = await app.run('return innerWidth');
    await litMap(1, width);
    for (const key of ['ctrl+plus', 'ctrl+plus', 'ctrl+plus']) await app.key(key);
    await litMap(1.5, width).finally(() => app.key('ctrl+0'));
  });

  // The lit map's checks with the page zoomed by `zoom` (a page px is `zoom` screen px), the
  // page `unzoomed` px wide at 100 %.
  async function litMap(zoom, unzoomed) {
    await app.waitFor(`return Math.abs(${unzoomed} / innerWidth - ${zoom}) < 0.02`, "the zoom");
    const box = await app.rect('#map'), map = Object.fromEntries(Object.entries(box).map(([k, v]) => [k, v * zoom]));
    const shot = await app.screenshot();
    // The pixels of the map's columns x0 to x1 (every second one) that keep() takes.
    const every2 = (from, to) => Array.from({ length: Math.ceil((to - from) / 2) }, (_, i) => from + 2 * i);
    const scan = (x0, x1, keep) => every2(x0, x1)
      .flatMap((x) => every2(map.y + 10, map.y + map.height - 10).map((y) => shot.pixel(x, y))).filter(keep);
    // The map is one character of our symbol font, decoded from the page's code page.
    const [char, width] = await app.run('return [world.firstChild.dataset.text.charCodeAt(0), world.getBoundingClientRect().width]');
    assert.ok(char === 0xe3a8 && width >= 470, `the map glyph ${char.toString(16)} is ${width} px wide`);
    const ocean = (x0) => Math.max(0, ...scan(x0, x0 + 20, ([r, g, b]) => b > r + 40 && b > g + 40).map((p) => p[2]));
    const [left, third, middle, twoThirds, right] = [2, map.width * 0.3 - 10, map.width / 2 - 10, map.width * 0.7 - 10,
      map.width - 22].map((x) => ocean(map.x + x));
    assert.ok(middle > left + 30 && middle > right + 30 && middle >= Math.max(third, twoThirds),
      `ocean blue at ${zoom * 100} %: ${[left, third, middle, twoThirds, right]}`);
    assert.ok(scan(map.x, map.x + map.width, ([r, g, b]) => g > r + 30 && g > b + 10).length > 300, 'green land');
  }

  test('first start: the footer dates the page file, today is marked, the zone column shows China with its ' +
    'entries\' spaces, and the page cancels the context menu', async () => {
    const [text, today, column] = await app.run(`var f = Array.from(document.querySelectorAll('font .unread'))
        .map(function (e) { return e.dataset.text; }).filter(function (t) { return t.indexOf('最后更新日期: ') == 0; });
      var a = objContinentMenu, c = objCountryMenu, t = document.querySelector('.todyaColor');
      return [f.length == 1 && f[0], Today.getTime(), [a.selectedIndex, c.selectedIndex,
        a.options[a.selectedIndex].text, c.options[c.selectedIndex].text, City.innerHTML, world.style.left,
        t.innerHTML == tD && getComputedStyle(t).backgroundColor,
        world.dispatchEvent(new MouseEvent('contextmenu', { bubbles: true, cancelable: true }))]];`);
    // For a local file the engine reports the time the page is read, just after the program wrote it.
    const [, mo, d, y, h, mi, s] = /^最后更新日期: (\d\d)\/(\d\d)\/(\d{4}) (\d\d):(\d\d):(\d\d)$/.exec(text).map(Number);
    assert.ok(Math.abs(new Date(y, mo - 1, d, h, mi, s) - today) < 5000, `${text} at load ${new Date(today)}`);
    assert.deepEqual(column, [0, 3, 'Asia               亚洲', 'China              中国    ', '北京、重庆、上海、天津', '-80px',
      'rgb(0, 255, 255)', false]);
  });

  test(`under TZ=${TZ} the zone clocks, the local clock and today agree with date`, async () => {
    for (const [continent, country, id] of ENTRIES) {
      // Both clocks computed within one second of the page.
      const [s, globe, local, [y, m, d]] = await app.run(`setTZ(${continent}, ${country});
        while (Date.now() % 1000 > 800);
        var t = Date.now();
        return [Math.floor(t / 1000), getGlobeTime(), showLocale(new Date(t)), [tY, tM, tD]];`);
      assert.deepEqual([globe, local], [await dateText(id, s), await dateText(TZ, s)], id);
      assert.ok(local.startsWith(`${y}年${m + 1}月${d}日 `), `today ${[y, m, d]}, local clock ${local}`);
    }
  });

  test('each font the page names is drawn in its substitute, the symbols one em wide', async () => {
    const fonts = [
      ["32px '华文行楷'", "32px 'AR PL UKai CN'", '两百年日历'],
      ["32px '标楷体'", "32px 'AR PL UKai TW'", '农历丙午年'],
      ["32px '细明体'", "32px 'WenQuanYi Zen Hei Mono'", 'Asia 亚洲'],
      ["32px '新细明体'", "32px 'AR PL UMing TW'", 'Porto 北京'],
      ['32px Arial', "32px 'Liberation Sans'", '2026 Abc'],
      ["bold 32px 'Arial Black'", "bold 32px 'DejaVu Sans'", '0000 JUN'],
    ];
    const drawn = await app.run(`var fonts = arguments[0], c = document.createElement('canvas'), g = c.getContext('2d');
      function ink(font, text) {
        c.width = 300; c.height = 60; g.font = font; g.fillText(text, 5, 45);
        return g.getImageData(0, 0, 300, 60).data.join();
      }
      return Promise.all(fonts.map(function (f) { return document.fonts.load(f[0], f[2]); })
        .concat([document.fonts.load('12pt Wingdings', 'R\\u00da\\u00d9')])).then(function () {
        return fonts.map(function (f) {
          return [f[0], ink(f[0], f[2]) == ink(f[1], f[2]), ink(f[0], f[2]) != ink("32px 'No Such Font'", f[2])];
        }).concat([getComputedStyle(YMBG).fontWeight], ['R', '\\u00da', '\\u00d9'].map(function (ch) {
          g.font = '12pt Wingdings'; return Math.round(g.measureText(ch).width); }));
      });`, fonts);
    assert.deepEqual(drawn, fonts.map((f) => [f[0], true, true]).concat(['700', 16, 16, 16])); // 12pt is 16 px
  });

  test('the day pop-up is drawn and casts a shadow down-right', async () => {
    const day = await app.rect(`#GD${await app.run('return cld.firstWeek')}`); // the 1st: plain page around it
    await app.pointerMove(day.x + day.width / 2, day.y + day.height / 2);
    await app.waitFor("return detail.style.visibility == 'visible' && detail.querySelector('table') != null", 'the pop-up');
    const t = await app.rect('#detail table');
    assert.equal(await app.run("return getComputedStyle(detail.querySelector('table')).opacity"), '0.8', 'written in as translucent');
    // 63 left of and 8 below the pointer, from the engine's own pointer events.
    assert.ok(Math.abs(t.x - (day.x + day.width / 2 - 63)) <= 1 && Math.abs(t.y - (day.y + day.height / 2 + 8)) <= 1, `pop-up at ${t.x}, ${t.y}`);
    const shown = await app.screenshot();
    // Its padding, left of the right-aligned text: #000066 at 80 % over the page.
    const [r, g, b] = shown.pixel(t.x + 1, t.y + t.height / 2);
    assert.ok(b - r > 50 && b - g > 50, `pop-up drawn: ${[r, g, b]}`);
    const away = await app.rect('td[width="40"]');
    await app.pointerMove(away.x + away.width / 2, away.y + away.height - 5);
    await app.waitFor("return detail.style.visibility == 'hidden'", 'the pop-up to hide');
    const hidden = await app.screenshot();
    const darker = ([x, y]) => brightness(hidden.pixel(x, y)) - brightness(shown.pixel(x, y));
    assert.deepEqual([[t.x + t.width + 2, t.y + t.height / 2], [t.x + t.width / 2, t.y + t.height + 2], [t.x - 3, t.y - 3]]
      .map((at) => darker(at) > 60), [true, true, false], 'shadow right, below, not up-left');
  });

  test('turns the month with PageUp/PageDown, the year with Shift, and returns with Home', async () => {
    const [y, m] = await shown();
    for (const [key, months] of [['Next', 1], ['shift+Next', 13], ['Prior', 12], ['shift+Prior', 0], ['Prior', -1], ['Home', 0]]) {
      const to = new Date(y, m + months, 1);
      await press(key, `return CLD.SM.selectedIndex == ${to.getMonth()} && CLD.SY.selectedIndex == ${to.getFullYear() - 1900}`);
      assert.deepEqual(await shown(), [to.getFullYear(), to.getMonth(), to.getFullYear(), to.getMonth()], key);
    }
  });

  test('moves the focus mark and its pop-up over the days and across months; Escape hides the pop-up', async () => {
    await show(2004, 2);
    for (const [key, [y, m, d]] of [['Right', [2004, 2, 1]], ['Left', [2004, 1, 29]], ['Down', [2004, 2, 7]], ['Up', [2004, 1, 29]]]) {
      await press(key, `return kDay == ${d}`);
      const day = await marked();
      assert.deepEqual([day.day, day.focused, day.mark, day.popup], [[y, m, d], true, 'solid', `${y} 年 ${m + 1} 月 ${d} 日`], key);
      assert.ok(day.gap >= 0 && day.gap < 10 && day.top === 0, `pop-up beside the cell after ${key}: ${day.gap}, ${day.top}`);
    }
    await press('Escape', "return detail.style.visibility == 'hidden'");
    assert.equal((await marked()).mark, 'solid');
  });

  test('tabs through the selectors, the grid (marking today), the named buttons, the zone menus and the check box, ' +
    'the check boxes and the almanac\'s fold, each with a focus ring at 3:1 against its background; the clock is a quiet timer', async () => {
    await show(...await app.run('return [tY, tM]'));
    const today = await app.run("return eval('GD' + (cld.firstWeek + tD - 1)).ariaLabel");
    for (const name of ['SY', 'SM', today, '下一年', '上一年', '下个月', '上个月', '本月', 'continentMenu', 'countryMenu', 'HB', 'AB', 'AM', 'SY']) {
      await press('Tab', `var e = document.activeElement; return (e.name || e.ariaLabel || e.id) == ${JSON.stringify(name)}`);
      // The ring's colour and width, and the colour around the element.
      const [ring, width, back] = await app.run(`var e = document.activeElement, s = getComputedStyle(e), b = e.parentElement;
        while (b && getComputedStyle(b).backgroundColor == 'rgba(0, 0, 0, 0)') b = b.parentElement;
        return [s.outlineStyle == 'none' ? '' : s.outlineColor, parseFloat(s.outlineWidth), getComputedStyle(b || document.body).backgroundColor];`);
      assert.ok(ring && width >= 2 && contrast(ring, back) >= 3, `${name}: ${width} px ring ${ring} on ${back}`);
    }
    const clock = await app.driver.findElement({ css: '#LocalTime' });
    assert.deepEqual([await clock.getAriaRole(), await clock.getAttribute('aria-live')], ['timer', 'off']);
  });

  test('holidays: badges at 4.5:1, the setting kept, a bad user table named and left as it is', async () => {
    assert.equal(await october(), '休');
    for (const n of [4, 13]) { // 休 on 1 and 班 on 10 October 2026
      const [text, back] = await app.run(`var s = getComputedStyle(HD${n}); return [s.color, s.backgroundColor]`);
      assert.ok(contrast(text, back) >= 4.5, `badge ${n}: ${text} on ${back}`);
    }
    await app.clickOn('label:has(#HB)');
    await app.waitFor('return !HB.checked && HD4.innerHTML == ""', 'the badges hidden');
    await app.restart();
    assert.deepEqual([await app.run('return HB.checked'), await october()], [false, '']);

    const file = path.join(app.home, '.local/share/kestrun/holidays.tsv');
    const text = 'date\tholiday\tkind\n2027-02-30\t春节\toff\n';
    fs.writeFileSync(file, text);
    await app.restart();
    assert.equal(await app.run('return HE.innerText'), `${file} 第2行有误（该年没有这一天），未采用，仍用内置放假安排`);
    assert.equal(await app.run("return eval('SD' + (cld.firstWeek + tD - 1)).innerHTML"), String(new Date().getDate()));
    assert.equal(fs.readFileSync(file, 'utf8'), text);
  });

  // The panel's texts: its date line, 宜 and 忌, and the lines below them.
  const almanacShown = () => app.run(`var t = almanac.innerText.split('\\n');
    return { date: t[0], yi: t[1], ji: t[2], rest: t.slice(3).join('\\n'), shown: almanac.offsetHeight > 0 };`);

  test('the almanac: today\'s at start, a clicked day\'s with 宜 and 忌 at 4.5:1, hidden by its check box across a restart', async () => {
    await app.restart();
    const [date, yi] = await app.run(`var a = dayAlmanac(tY, tM, tD);
      return [tY + '年' + (tM + 1) + '月' + tD + '日', a.yi.join(' ')];`);
    const start = await almanacShown();
    assert.ok(start.shown && start.date.startsWith(`${date} `) && start.yi === `宜 ${yi}`, JSON.stringify(start));

    await show(2026, 11);
    await app.clickOn(`#GD${await app.run('return cld.firstWeek + 7')}`);
    await app.waitFor("return almanac.innerText.indexOf('2026年12月8日') == 0", 'the clicked day');
    const day = await almanacShown();
    assert.match(day.date, /^2026年12月8日 星期二　农历十月三十　丙午年 庚子月 丙辰日$/);
    assert.match(day.yi, /^宜 入宅 安床 /);
    assert.match(day.ji, /^忌 嫁娶 开市 /);
    for (const line of ['冲煞\t冲狗(庚戌)煞南\t值神\t天牢 黑道', '建除\t定\t二十八宿\t翼火蛇', '纳音\t沙中土\t胎神\t厨灶栖 外正东',
      '彭祖百忌\t丙不修灶必见灾殃 辰不哭泣必主重丧']) assert.ok(day.rest.includes(line), `${line} in ${day.rest}`);
    for (const badge of ['.almanacYi', '.almanacJi']) {
      const [text, back] = await app.run(`var s = getComputedStyle(document.querySelector('${badge}')); return [s.color, s.backgroundColor]`);
      assert.ok(contrast(text, back) >= 4.5, `${badge}: ${text} on ${back}`);
    }

    await app.clickOn('label:has(#AB)');
    await app.waitFor('return !AB.checked && almanac.offsetHeight == 0', 'the panel hidden');
    await app.restart();
    assert.deepEqual([await app.run('return AB.checked'), (await almanacShown()).shown], [false, false]);
    await app.run('AB.checked = true; chAlmanac();');
  });

  test('a page script can neither leave the page, open a window nor read another local file', async () => {
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
      try { request.open('GET', arguments[0]); request.send(); } catch (e) { done('refused'); }`,
    pathToFileURL(secret).href);
    assert.equal(read, 'refused');
  });
  test('a screen reader hears each day\'s holiday and 放假 or 调休上班, the zone clock\'s place, the almanac ' +
    'as a named region with its lines, and no decoration', async () => {
    await app.run('HB.checked = true; chHolidays(); setTZ(0, 3);').then(october); // tests above hid the badges, left another zone
    const [yi, ji] = await app.run("selectDay(1); var a = dayAlmanac(2026, 9, 1); return ['宜 ' + a.yi.join(' '), '忌 ' + a.ji.join(' ')];");
    const walker = fileURLToPath(new URL('atspi-names.py', import.meta.url));
    const { stdout } = await execFileP('/usr/bin/python3', [walker, String(app.program)], { env: app.env, maxBuffer: 1 << 24 });
    const nodes = stdout.trim().split('\n').map((line) => JSON.parse(line)), names = nodes.map((n) => n.name);
    for (const name of ['2026年10月1日 星期四 农历八月廿一 国庆节 世界音乐日 国际老人节 国际音乐日 国庆节 放假',
      '2026年10月10日 星期六 农历九月初一 辛亥革命纪念日 世界精神卫生日 国庆节 调休上班', '所选地区时间 中国 北京、重庆、上海、天津', '年份'])
      assert.ok(names.includes(name), `no element named ${name}`);
    const panel = nodes.findIndex((n) => n.role === 'landmark' && /^黄历 2026年10月1日 星期四　农历八月廿一　丙午年 丁酉月 \S+日$/.test(n.name));
    assert.deepEqual(nodes.slice(panel + 2, panel + 4).map((n) => n.text), [yi, ji]);
    // The map's symbol-font characters, the watermark, a lone badge and the white footer.
    assert.deepEqual(nodes.filter((n) => /[\u00d9\u00da\ue3a8]|OCT|^[休班]|最后更新/.test(n.name + '\n' + n.text)), []);
  });

  // Maximised, where the page centres the grid. The columns have fixed widths, so no
  // other window size, or GDK_SCALE (which leaves CSS pixels as they are), lays cells out otherwise.
  test('every month of 2026 maximised: badges beside the digits, the grid in one place, the heading on one line; ' +
    'the almanac fills the window under it, and showing it or not leaves the grid where it is', async () => {
    await execFileP('wmctrl', ['-i', '-r', app.window, '-b', 'add,maximized_vert,maximized_horz'], { env: app.env });
    await app.waitFor('return innerWidth > 1000', 'the window maximised');
    const months = [];
    for (let m = 0; m < 12; m++) {
      months.push(await app.run(`CLD.SY.selectedIndex = 126; CLD.SM.selectedIndex = arguments[0]; changeCld();
        var over = [], n, b, s, grid = GD0.closest('TABLE').getBoundingClientRect();
        for (n = 0; n < 42; n++) {
          b = eval('HD' + n).getBoundingClientRect(); s = eval('SD' + n).getBoundingClientRect();
          if (b.width && b.left < s.right && b.right > s.left && b.top < s.bottom && b.bottom > s.top) over.push(n);
        }
        return { over: over, left: grid.left, top: grid.top, width: grid.width,
          lines: Math.round(GZ.parentNode.getBoundingClientRect().height / CLD.SY.getBoundingClientRect().height) };`, m));
    }
    const { left, top, width } = months[0];
    assert.deepEqual(months, Array(12).fill({ over: [], left, top, width, lines: 1 }));
    // The grid's place, how far the page overflows the window, and the room left under the panel.
    const fit = async () => {
      await app.painted();
      return app.run(`var p = document.scrollingElement, grid = GD0.closest('TABLE').getBoundingClientRect();
        return [grid.left, grid.top, p.scrollHeight - p.clientHeight, innerHeight - almanac.getBoundingClientRect().bottom];`);
    };
    // The panel is fitted after layout, which on a busy machine may come a frame late.
    let last;
    await until(async () => { last = await fit(); return last[2] === 0 && last[3] > 0 && last[3] < 60; }, 'the panel to fill', 5000)
      .catch(() => assert.fail(`the page overflows by ${last[2]} px, ${last[3]} px under the panel`));
    await app.run('AB.checked = false; chAlmanac();');
    assert.deepEqual((await fit()).slice(0, 3), [left, top, 0]);
    await app.run('AB.checked = true; chAlmanac();');
  });
});
