// Days of one's own, as a user keeps them: a lunar birthday added through
// the dialog with the real pointer and keyboard, seen in the grid, kept
// across a restart, found by kestrun-cal, and a hand edit of days.tsv shown
// without a restart; a hand-written day saved unchanged, a read-only file,
// and a name of 100,000 bytes.
import { test, after } from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { Kestrun, buildDir, execFileP, until } from './harness.mjs';

let app;
after(() => app?.stop());

const mark = (d) => app.run(`return eval('OM' + (cld.firstWeek + ${d} - 1)).innerHTML;`);
const dialogs = async () => (await app.xdotool('search', '--onlyvisible', '--name', '^我的日子')
  .catch(() => ({ stdout: '' }))).stdout.trim();

// Double-clicks day d of the month shown; the dialog's window.
async function openDialog(d) {
  const r = await app.rect(`#SD${await app.run(`return cld.firstWeek + ${d} - 1;`)}`);
  await app.pointerMove(r.x + r.width / 2, r.y + r.height / 2);
  await app.xdotool('click', '--repeat', '2', '--delay', '80', '1');
  return until(dialogs, 'the dialog');
}

test('a birthday on 三月初五 entered in the window shows on 2027-04-11, after a restart and in kestrun-cal', async () => {
  app = await Kestrun.start();
  const file = path.join(app.home, '.local/share/kestrun/days.tsv');
  for (let i = 0; i < 4; i++) await app.key('Next'); // December 2026 to April 2027
  await app.waitFor('return CLD.SM.selectedIndex == 3', 'April 2027');
  const dialog = await openDialog(11);
  // xdotool reads the text by the locale, which a user's run may not set.
  await execFileP('xdotool', ['windowactivate', '--sync', dialog, 'type', '--delay', '40', '妈妈生日'],
    { env: { ...app.env, LC_ALL: 'C.UTF-8' } });
  await app.xdotool('key', 'Tab', 'Tab', 'type', '1956');
  await app.xdotool('key', 'Return');
  await until(async () => (await mark(11)) === '★', 'the mark on 11 April');
  assert.equal(fs.readFileSync(file, 'utf8'), 'lunar\t1956-03-05\t妈妈生日\n');
  assert.match(await app.run('return popupText(cld[10]);'), /★ 妈妈71岁生日<\/DIV>/);

  await app.restart();
  await app.run('CLD.SY.selectedIndex = 127; CLD.SM.selectedIndex = 3; changeCld();');
  assert.equal(await mark(11), '★');
  const { stdout } = await execFileP(path.join(buildDir, 'kestrun-cal'), ['--ics', '2027'], { env: app.env });
  assert.match(stdout, /DTSTART;VALUE=DATE:20270411\r\nDTEND;VALUE=DATE:20270412\r\nSUMMARY:妈妈71岁生日\r\n/);

  fs.writeFileSync(file, 'solar\t04-12\t纪念\n');
  await until(async () => (await mark(11)) === '' && (await mark(12)) === '★', 'the hand edit shown');
});

test('a Gregorian day saved unchanged stays as written; a read-only file is refused and what was typed kept', async () => {
  const file = path.join(app.home, '.local/share/kestrun/days.tsv');
  const head = Buffer.concat([Buffer.from('# 手写\r\n'), Buffer.from([0xC9, 0xFA]), Buffer.from('\r\n')]);
  const text = Buffer.concat([head, Buffer.from('solar\t2014-04-12\t结婚纪念日\t 备注 ')]);
  fs.writeFileSync(file, text);
  // The other lines apply; the one that is not UTF-8 is named.
  await until(async () => /days\.tsv 第2行有误/.test(await app.run('return OE.innerText;')), 'the notice');
  assert.equal(await mark(12), '★');
  await app.xdotool('windowactivate', '--sync', await openDialog(12), 'key', 'Return');
  await until(async () => !(await dialogs()), 'the dialog to close');
  await app.painted();
  assert.deepEqual(fs.readFileSync(file), text);

  fs.chmodSync(file, 0o444);
  const dialog = await openDialog(12), before = (await app.windows()).length;
  await app.xdotool('windowactivate', '--sync', dialog, 'key', 'End', 'type', 'X');
  await app.xdotool('key', 'Return');
  const box = await until(async () => (await app.windows()).find((w) => w !== dialog && w !== app.window), 'the message');
  assert.equal((await app.windows()).length, before + 1);
  await app.xdotool('windowactivate', '--sync', box, 'key', 'Escape');
  await until(async () => (await app.windows()).length === before, 'the message to close');
  assert.deepEqual(fs.readFileSync(file), text);
  fs.chmodSync(file, 0o644);
  await app.xdotool('windowactivate', '--sync', dialog, 'key', 'Return');
  await until(async () => !(await dialogs()), 'the dialog to close');
  assert.deepEqual(fs.readFileSync(file), Buffer.concat([head, Buffer.from('solar\t2014-04-12\t结婚纪念日X\t备注\r\n')]));
  assert.equal(fs.statSync(file).mode & 0o777, 0o644);

  // The dialog opens on a 100,000-byte name, and closes.
  fs.writeFileSync(file, `solar\t04-13\t${'x'.repeat(100000)}\n`);
  await until(async () => (await mark(13)) === '★', 'the long day');
  await app.xdotool('windowactivate', '--sync', await openDialog(13), 'key', 'Escape');
  await until(async () => !(await dialogs()), 'the dialog to close');
  assert.equal(await app.run('return 1;'), 1);
});
