// The world clock in the real program: first start, ticking, the menus, the
// remembered zone across a restart.
import { test, after } from 'node:test';
import assert from 'node:assert/strict';
import { execFile } from 'node:child_process';
import path from 'node:path';
import { promisify } from 'node:util';
import { By } from 'selenium-webdriver';
import { Kestrun, sleep } from './harness.mjs';

const CHINA = '北京、重庆、上海、天津';
let app;
after(() => app && app.stop());

// What the column shows: the two menus' selected indexes and entry counts,
// the selected texts, City, the map shift, and whether the calendar is drawn.
const column = () => app.run(`
  var a = objContinentMenu, c = objCountryMenu;
  return { selected: [a.selectedIndex, c.selectedIndex], counts: [a.options.length, c.options.length],
    texts: [a.options[a.selectedIndex].text, c.options[c.selectedIndex].text],
    city: City.innerHTML, left: world.style.left, isDS: isDS,
    calendar: typeof cld == 'object' && cld != null };`);

// Picks a menu entry the way a user does, which fires the menu's change handler.
async function choose(menu, index) {
  await app.driver.findElement(By.css(`select[name=${menu}] option:nth-child(${index + 1})`)).click();
}

test('first start without cookies: Asia, China, no mark, the map at -80', async () => {
  app = await Kestrun.start();
  const shown = await column();
  assert.deepEqual(shown.selected, [0, 3]);
  assert.deepEqual(shown.counts, [10, 22]);
  assert.deepEqual(shown.texts, ['Asia               亚洲', 'China              中国    ']);
  assert.equal(shown.city, CHINA);
  assert.equal(shown.left, '-80px');
  assert.ok(shown.calendar);
});

test('both clocks move on about once a second', async () => {
  const seen = { local: new Set(), globe: new Set() };
  for (let i = 0; i < 14; i++) {
    const [local, globe] = await app.run('return [LocalTime.innerHTML, GlobeTime.innerHTML];');
    seen.local.add(local);
    seen.globe.add(globe);
    await sleep(250);
  }
  // 3.5 seconds of samples: three or four different texts, five if a tick fell twice in one.
  for (const [clock, texts] of Object.entries(seen)) {
    assert.ok(texts.size >= 3 && texts.size <= 5, `${clock}: ${[...texts].join(' / ')}`);
    for (const text of texts) assert.match(text, /^\d{4}年\d{1,2}月\d{1,2}日 \([日一二三四五六]\) [上下]午 \d\d:\d\d:\d\d$/);
  }
});

test('the chosen zone comes back after closing and starting again, kept for 365 days', async () => {
  await choose('continentMenu', 7);
  await choose('countryMenu', 10);
  await app.restart();
  const shown = await column();
  assert.deepEqual(shown.selected, [7, 10]);
  assert.ok(shown.city.endsWith('圣地亚哥'));
  assert.match(await app.run('return document.cookie;'), /^(?=.*\bTZ1=7(;|$))(?=.*\bTZ2=10(;|$))/);
  // The cookie store of the program, written by the close just done.
  const store = path.join(app.home, '.local/share/kestrun/cookies.sqlite');
  const { stdout } = await promisify(execFile)('sqlite3', [store,
    "select name, value, expiry - strftime('%s','now') from moz_cookies where name like 'TZ_' order by name;"]);
  const rows = stdout.trim().split('\n').map((row) => row.split('|'));
  assert.deepEqual(rows.map(([name, value]) => [name, value]), [['TZ1', '7'], ['TZ2', '10']]);
  for (const [, , left] of rows) assert.ok(Math.abs(Number(left) - 365 * 86400) < 120, `expires in ${left} s`);
});

test('the menus show their entries with the Chinese names in one column', async () => {
  await choose('continentMenu', 7);
  await app.run("document.WorldClock.countryMenu.scrollIntoView({ block: 'center' });");
  const menu = await app.rect('select[name=countryMenu]');
  await app.click(menu.x + menu.width / 2, menu.y + menu.height / 2);
  await sleep(800);
  // For a look (KESTRUN_E2E_KEEP=1 keeps it): the menus, the country menu open.
  console.log(`# screenshot: ${(await app.screenshot('world-clock-menus')).path}`);
  await app.key('Escape');
  // In the menus' font, every English name with its spaces is as wide as 19
  // Latin letters, so the Chinese names that follow start in one column.
  const off = await app.run(`
    var probe = document.createElement('span');
    probe.style.cssText = "FONT: 9pt '细明体'; white-space: pre; position: absolute; visibility: hidden";
    document.body.appendChild(probe);
    function width(text) { probe.textContent = text; return probe.getBoundingClientRect().width; }
    var column = width('xxxxxxxxxxxxxxxxxxx'), off = [];
    // The part before the Chinese name (see the zone table's tests).
    function english(key) { return key.replace(/ +$/, '').replace(/([^ \\u00b7-\\uffff]*)[^ ]*$/, '$1'); }
    function check(key) { if (Math.abs(width(english(key)) - column) > 0.5) off.push(key); }
    for (var continent in timeData) {
      check(continent);
      for (var country in timeData[continent]) check(country);
    }
    document.body.removeChild(probe);
    return off;`);
  assert.deepEqual(off, ['Saint Kitts & Nevis 圣基茨和尼维斯', 'St. Vincent & Grenadines 圣文森特和格林纳丁斯', `国际换日线${' '.repeat(19)}`]);
});
