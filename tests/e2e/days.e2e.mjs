// Days of one's own, as a user keeps them: a lunar birthday added through
// the dialog with the real pointer and keyboard, seen in the grid, kept
// across a restart, found by kestrun-cal, and a hand edit of days.tsv shown
// without a restart.
import { test, after } from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { Kestrun, buildDir, execFileP, until } from './harness.mjs';

let app;
after(() => app?.stop());

const mark = (d) => app.run(`return eval('OM' + (cld.firstWeek + ${d} - 1)).innerHTML;`);

test('a birthday on 三月初五 entered in the window shows on 2027-04-11, after a restart and in kestrun-cal', async () => {
  app = await Kestrun.start();
  const file = path.join(app.home, '.local/share/kestrun/days.tsv');
  for (let i = 0; i < 4; i++) await app.key('Next'); // December 2026 to April 2027
  await app.waitFor('return CLD.SM.selectedIndex == 3', 'April 2027');
  const r = await app.rect(`#SD${await app.run('return cld.firstWeek + 10;')}`);
  await app.pointerMove(r.x + r.width / 2, r.y + r.height / 2);
  await app.xdotool('click', '--repeat', '2', '--delay', '80', '1');
  const dialog = await until(async () => (await app.xdotool('search', '--onlyvisible', '--name', '^我的日子')
    .catch(() => ({ stdout: '' }))).stdout.trim(), 'the dialog');
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
