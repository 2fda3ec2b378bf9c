// Bad days, for a program in a folder whose name is not UTF-8: the page
// process killed, the display gone, a damaged cookie store. The calendar comes
// back and the chosen zone is kept.
import { test, after } from 'node:test';
import assert from 'node:assert/strict';
import { spawn } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import { Kestrun, descendantPids, execFileP, programPath, sleep, tempFolder, until } from './harness.mjs';

let app;
let boxes;
after(() => app?.stop());
// The folder's name is 中文 in GBK; the driver takes the program's path as
// UTF-8 text, so it starts it through a link of plain name.
const top = tempFolder();
const folder = Buffer.concat([Buffer.from(`${top}/`), Buffer.from([0xD6, 0xD0, 0xCE, 0xC4])]);
const inFolder = (name) => Buffer.concat([folder, Buffer.from(`/${name}`)]);
fs.mkdirSync(folder);
fs.copyFileSync(programPath, inFolder('kestrun'));
fs.symlinkSync(inFolder('kestrun'), path.join(top, 'kestrun'));

const zone = () => app.run('return [objContinentMenu.selectedIndex, objCountryMenu.selectedIndex];');
const store = () => path.join(app.home, '.local/share/kestrun');

function killPageProcess() {
  process.kill(descendantPids(app.program)
    .find((pid) => fs.readFileSync(`/proc/${pid}/comm`, 'utf8').startsWith('WebKitWebProces')), 'SIGKILL');
}

// The screen's pixels in a page box. Once the page process has ended the
// driver's session is gone, so the test looks and acts as a user does.
const pixels = async (box) => (await app.screenshot(false)).box(box);
const changes = (box, from) => until(async () => { const now = await pixels(box); return now !== from && now; }, 'a change on the screen');

// A running page: the clock changes three times (a stopped page may go blank
// once, then comes back, then ticks).
async function ticking() {
  let shot = await pixels(boxes.clock);
  for (let change = 0; change < 3; change++) shot = await changes(boxes.clock, shot);
}

test('the page process killed: the page comes back with its zone and answers clicks', async () => {
  app = await Kestrun.start({ binary: path.join(top, 'kestrun') });
  await app.resize(1000, 700);
  await app.chooseZone(7, 10);
  boxes = { clock: await app.rect('#LocalTime'), city: await app.rect('#City'),
    month: await app.rect('select[name=SM]'), next: await app.rect(`button[onclick="pushBtm('MD')"]`) };
  const city = await pixels(boxes.city);
  killPageProcess();
  await ticking();
  await until(async () => (await pixels(boxes.city)) === city, 'the chosen zone');
  const month = await pixels(boxes.month);
  await app.click(boxes.next.x + boxes.next.width / 2, boxes.next.y + boxes.next.height / 2);
  await changes(boxes.month, month);
});

test('three ends within a minute: the window asks, and trying again brings the page back', async () => {
  await app.restart();
  await app.resize(1000, 700);
  for (let end = 1; end < 3; end++) { killPageProcess(); await ticking(); }
  killPageProcess();
  // Not brought back by itself: once the window has taken note, what stands
  // where the clock was stays as it is (a running clock changes every second).
  await until(async () => {
    const before = await pixels(boxes.clock);
    await sleep(2500);
    return (await pixels(boxes.clock)) === before;
  }, 'the clock to stand still', 10000);
  await app.key('Return'); // the message's button has the focus
  await ticking();
});

test('closed: no page file left; a damaged cookie store: moved aside, default zone, next choice kept', async () => {
  await app.closeByWindowManager();
  assert.ok(!fs.existsSync(inFolder('readto.htm')));
  fs.writeFileSync(path.join(store(), 'cookies.sqlite'), 'not a database '.repeat(500));
  await app.restart();
  assert.deepEqual(await zone(), [0, 3]);
  const aside = fs.readdirSync(store()).filter((name) => name.startsWith('cookies.sqlite.damaged-'));
  assert.match(fs.readFileSync(path.join(store(), aside[0]), 'utf8'), /^not a database/);
  await app.chooseZone(4, 1);
  await app.restart();
  assert.deepEqual(await zone(), [4, 1]);
});

test('a cookie store another program holds locked: named under the grid until it is free, then the choice is written again', async () => {
  const holder = spawn('sqlite3', [path.join(store(), 'cookies.sqlite')], { stdio: ['pipe', 'pipe', 'ignore'] });
  holder.stdin.write("BEGIN EXCLUSIVE;\nSELECT 'held';\n");
  await new Promise((resolve) => holder.stdout.once('data', resolve));
  await app.chooseZone(5, 2);
  const notice = () => app.run('return SE.innerText');
  await until(async () => /^无法保存所选时区：.*cookies\.sqlite: database is locked$/.test(await notice()), 'the notice');
  holder.stdin.end('COMMIT;\n');
  await until(async () => (await notice()) === '', 'the notice to go');
  // Written again once the store was free, not only at the close.
  process.kill(app.program, 'SIGKILL');
  await app.restart(true);
  assert.deepEqual(await zone(), [5, 2]);
});

test('the display server ended: no page file left, the zone kept for 365 days', async () => {
  await app.chooseZone(3, 2);
  const stat = `/proc/${app.program}/stat`;
  app.xvfb.kill('SIGKILL');
  await until(() => !fs.existsSync(stat) || / Z /.test(fs.readFileSync(stat, 'utf8')), 'the program to end');
  assert.equal(fs.existsSync(inFolder('readto.htm')), false);
  const { stdout } = await execFileP('sqlite3', [path.join(store(), 'cookies.sqlite'),
    "SELECT name, value, round((expiry - strftime('%s', 'now')) / 600.0) FROM moz_cookies WHERE name IN ('TZ1', 'TZ2') ORDER BY name"]);
  assert.equal(stdout, `TZ1|3|${365 * 144}.0\nTZ2|2|${365 * 144}.0\n`);
  app.program = app.driver = null;
});
