// Official holidays in the real program: the shipped table built in, the show
// setting across a restart, and a refused holidays.tsv named. (Which days,
// their badges' colours and the pop-up line are tested in tests/page/view.)
import { test } from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { Kestrun } from './harness.mjs';

// Draws October 2026 (it begins on a Thursday: cell 4 is the 1st); the 1st's badge.
const october = (app) => app.run('CLD.SY.selectedIndex = 126; CLD.SM.selectedIndex = 9; changeCld(); return HD4.innerHTML');

test('holidays: a badge, the setting kept, a bad user table named and left as it is', async () => {
  const app = await Kestrun.start();
  try {
    await app.resize(900, 650);
    assert.equal(await october(app), '休');
    await app.clickOn('label:has(#HB)');
    await app.waitFor('return !HB.checked && HD4.innerHTML == ""', 'the badges hidden');
    await app.restart();
    assert.deepEqual([await app.run('return HB.checked'), await october(app)], [false, '']);

    const file = path.join(app.env.XDG_DATA_HOME, 'kestrun', 'holidays.tsv');
    const text = 'date\tholiday\tkind\n2027-02-30\t春节\toff\n';
    fs.writeFileSync(file, text);
    await app.restart();
    assert.equal(await app.run('return HE.innerText'), `${file} 第2行有误（该年没有这一天），未采用，仍用内置放假安排`);
    assert.equal(await app.run("return eval('SD' + (cld.firstWeek + tD - 1)).innerHTML"), String(new Date().getDate()));
    assert.equal(fs.readFileSync(file, 'utf8'), text);
  } finally {
    await app.stop();
  }
});
