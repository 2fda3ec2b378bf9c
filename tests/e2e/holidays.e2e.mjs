// Official holidays in the real program: badges as drawn, the show setting
// across a restart, and a refused holidays.tsv. (Which days, and the pop-up
// line, are tested in tests/page/view.)
import { test } from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { Kestrun } from './harness.mjs';

// Draws month m (0 = January) of year y; its badges by day number.
async function badges(app, y, m) {
  return app.run(`CLD.SY.selectedIndex = ${y - 1900}; CLD.SM.selectedIndex = ${m}; changeCld();
    var b = {}; for (var n = 0; n < 42; n++) if (eval('HD' + n).innerHTML) b[eval('SD' + n).innerHTML] = eval('HD' + n).innerHTML;
    return b;`);
}

const days = (from, to, badge) => Object.fromEntries(Array.from({ length: to - from + 1 }, (_, i) => [from + i, badge]));

test('holidays: badges, setting kept, bad user table named', async () => {
  const app = await Kestrun.start();
  try {
    await app.resize(900, 650);
    assert.deepEqual(await badges(app, 2026, 9), { ...days(1, 7, '休'), 10: '班' });

    // October 2026 begins on a Thursday: cell 4 is 1 October, cell 13 the 10th.
    const shot = await app.screenshot('october-2026');
    for (const [id, colour] of [['#HD4', [255, 0, 0]], ['#HD13', [128, 128, 128]]]) {
      const r = await app.rect(id);
      assert.deepEqual(shot.pixel(r.x + 1, r.y + r.height - 2), colour, id);  // beside the glyph
    }

    const box = await app.rect('label:has(#HB)');
    await app.click(box.x + box.width / 2, box.y + box.height / 2);
    await app.waitFor('return !HB.checked && HD4.innerHTML == ""', 'the badges hidden');
    await app.restart();
    assert.equal(await app.run('return HB.checked'), false);
    assert.deepEqual(await badges(app, 2026, 9), {});

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
