// The calendar view in the real program: the keyboard (real key presses on
// the X display), the names a screen reader gets, and official holidays (the shipped table built in, the show setting across a
// restart, a refused holidays.tsv named). (The day cells' names, which days
// are holidays and their badges' colours are tested in tests/page/view.)
import { describe, it, before, after } from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { Kestrun } from './harness.mjs';

let app;

const shown = () => app.run('return [CLD.SY.selectedIndex + 1900, CLD.SM.selectedIndex, cld[0].sYear, cld[0].sMonth - 1]');

async function show(y, m) {
  await app.run('document.activeElement.blur(); CLD.SY.selectedIndex = arguments[0] - 1900;' +
    ' CLD.SM.selectedIndex = arguments[1]; changeCld();', y, m);
}

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

describe('calendar view', () => {
  before(async () => {
    app = await Kestrun.start();
    await app.resize(1000, 720);
  });
  after(() => app?.stop());

  it('turns the month with PageUp/PageDown, the year with Shift, and returns with Home', async () => {
    const [y, m] = await shown();
    for (const [key, months] of [['Next', 1], ['shift+Next', 13], ['Prior', 12], ['shift+Prior', 0], ['Prior', -1], ['Home', 0]]) {
      const to = new Date(y, m + months, 1);
      await press(key, `return CLD.SM.selectedIndex == ${to.getMonth()} && CLD.SY.selectedIndex == ${to.getFullYear() - 1900}`);
      assert.deepEqual(await shown(), [to.getFullYear(), to.getMonth(), to.getFullYear(), to.getMonth()], key);
    }
  });

  it('moves the focus mark and its pop-up over the days and across months; Escape hides the pop-up', async () => {
    await show(2004, 2);
    for (const [key, [y, m, d]] of [['Right', [2004, 2, 1]], ['Left', [2004, 1, 29]], ['Down', [2004, 2, 7]], ['Up', [2004, 1, 29]]]) {
      await press(key, `return kDay == ${d}`);
      const day = await marked();
      assert.deepEqual([day.day, day.focused, day.mark, day.popup], [[y, m, d], true, 'dotted', `${y} 年 ${m + 1} 月 ${d} 日`], key);
      assert.ok(day.gap >= 0 && day.gap < 10 && day.top === 0, `pop-up beside the cell after ${key}: ${day.gap}, ${day.top}`);
    }
    await press('Escape', "return detail.style.visibility == 'hidden'");
    assert.equal((await marked()).mark, 'dotted');
    // The mark stops at the last day there is.
    await show(2100, 11);
    await app.run('markDay(31)');
    await app.key('Right');
    await press('Left', 'return kDay == 30');
    assert.deepEqual((await marked()).day, [2100, 11, 30]);
  });

  it('tabs through the selectors, the buttons (named for a screen reader) and the zone menus in order; the clock is a quiet timer', async () => {
    await app.run('document.activeElement.blur()');
    for (const name of ['SY', 'SM', '下一年', '上一年', '下个月', '上个月', '本月', 'continentMenu', 'countryMenu']) {
      await press('Tab', `var e = document.activeElement; return (e.name || e.ariaLabel) == ${JSON.stringify(name)}`);
    }
    const clock = await app.driver.findElement({ css: '#LocalTime' });
    assert.deepEqual([await clock.getAriaRole(), await clock.getAttribute('aria-live')], ['timer', 'off']);
  });

  it('holidays: a badge, the setting kept, a bad user table named and left as it is', async () => {
    assert.equal(await october(), '休');
    await app.clickOn('label:has(#HB)');
    await app.waitFor('return !HB.checked && HD4.innerHTML == ""', 'the badges hidden');
    await app.restart();
    assert.deepEqual([await app.run('return HB.checked'), await october()], [false, '']);

    const file = path.join(app.env.XDG_DATA_HOME, 'kestrun', 'holidays.tsv');
    const text = 'date\tholiday\tkind\n2027-02-30\t春节\toff\n';
    fs.writeFileSync(file, text);
    await app.restart();
    assert.equal(await app.run('return HE.innerText'), `${file} 第2行有误（该年没有这一天），未采用，仍用内置放假安排`);
    assert.equal(await app.run("return eval('SD' + (cld.firstWeek + tD - 1)).innerHTML"), String(new Date().getDate()));
    assert.equal(fs.readFileSync(file, 'utf8'), text);
  });
});
