// The world clock in the real program: first start (the menu entries' spaces
// kept) and the remembered zone across a restart.
import { test, after } from 'node:test';
import assert from 'node:assert/strict';
import { execFile } from 'node:child_process';
import path from 'node:path';
import { promisify } from 'node:util';
import { By } from 'selenium-webdriver';
import { Kestrun } from './harness.mjs';

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
