// Official holidays in the grid, the pop-up and the notices, from the
// shipped table and from a user's holidays.tsv.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import { holidayTable } from '../load.mjs';
import { loadView } from './fake-page.mjs';

const FILE = '/home/u/.local/share/kestrun/holidays.tsv';

// The shipped table, read without the page: 'yyyy-m-d' -> 'off' | 'work'.
const shipped = new Map(fs.readFileSync(holidayTable, 'utf8').split('\n').filter((l) => /^\d/.test(l))
  .map((l) => l.split('\t')).map(([date, , kind]) => [date.split('-').map(Number).join('-'), kind]));

function started(own) {
  const messages = [], messageHandlers = { holidayProblem: { postMessage: (t) => messages.push(t) } };
  const page = loadView({ globals: { userHolidays: { file: FILE, ...own }, window: { webkit: { messageHandlers } } } });
  page.useHolidays();
  return { page, messages };
}

// Badge of each day of month m (0 = January) of year y, after drawing it.
function badges(page, y, m) {
  page.drawCld(y, m);
  const shown = new Map();
  for (let n = 0; n < 42; n++) {
    const badge = page['HD' + n], kind = { '休': 'off', '班': 'work' }[badge.innerHTML];
    assert.equal(badge.style.backgroundColor, { off: '#c00000', work: '#666666' }[kind] || '', `${y}-${m + 1} cell ${n}`);
    if (kind) shown.set(`${y}-${m + 1}-${n - page.cld.firstWeek + 1}`, kind);
  }
  return shown;
}

test('every shipped day off and make-up day has its badge, and only missing years have a notice', () => {
  const { page } = started({});
  const seen = new Map();
  for (let y = 2000; y <= 2028; y++) {
    for (let m = 0; m < 12; m++) for (const [day, kind] of badges(page, y, m)) seen.set(day, kind);
    assert.deepEqual([page.HN.innerText, page.HE.innerText], [y >= 2027 ? `${y}年放假安排尚未收录，可写入 ${FILE}` : '', ''], `${y}`);
  }
  assert.deepEqual(seen, shipped);
  page.drawCld(2026, 8);
  assert.match(page.popupText(page.cld[19]), /国庆节 调休上班<\/DIV><\/TD>/);
  page.showHolidays = false; // the setting hides badges, pop-up line and notice
  assert.deepEqual([badges(page, 2027, 0).size, page.HN.innerText, badges(page, 2026, 8).size], [0, '', 0]);
  assert.doesNotMatch(page.popupText(page.cld[19]), /调休/);
});

test('a user table replaces the years it holds, the December days of 元旦 counting for the next year', () => {
  const { page, messages } = started({
    text: '\uFEFF# my own\r\ndate\tholiday\tkind\r\n2025-12-31\t元旦\twork\r\n2026-10-08\t<i>国庆</i>\toff\r\n\r\n2027-01-01\t元旦\toff\r\n',
  });
  const day = (y, m, d) => page.holidayOf(y, m, d) && { ...page.holidayOf(y, m, d) };
  assert.deepEqual([day(2025, 11, 31), day(2026, 9, 1), day(2025, 9, 1)],
    [{ name: '元旦', kind: 'work' }, null, { name: '国庆节、中秋节', kind: 'off' }]);
  page.drawCld(2026, 9);
  assert.match(page.popupText(page.cld[7]), /&lt;i&gt;国庆&lt;\/i&gt; 放假/);
  page.drawCld(2027, 5);
  assert.deepEqual([page.HN.innerText, page.HE.innerText, messages], ['', '', []]);
  page.drawCld(2028, 0);
  assert.match(page.HN.innerText, /^2028年/);
});

test('a user table with a bad line is refused as a whole and named, the shipped table kept', () => {
  const good = '2027-01-01\t元旦\toff\n';
  const bad = [['2027-01-01\t元旦', '应为以 Tab 分隔的三栏'], ['2027/01/02\t元旦\toff', '日期应写作 yyyy-mm-dd'],
    ['2027-02-29\t春节\toff', '该年没有这一天'], ['2101-01-01\t元旦\toff', '年份不在 1900-2100 之内'],
    ['2027-01-02\t元旦\tholiday', '类型应为 off 或 work'], ['2027-01-01\t元旦\twork', '日期重复']];
  for (const [line, text] of bad) {
    const { page, messages } = started({ text: good + line + '\n' + good });
    page.drawCld(2027, 0);
    assert.deepEqual([page.HE.innerText, page.holidayOf(2026, 9, 1).kind, page.HN.innerText.slice(0, 5)],
      [`${FILE} 第2行有误（${text}），未采用，仍用内置放假安排`, 'off', '2027年'], line);
    assert.match(messages.join('\n'), new RegExp(`^${FILE}: line 2: [^\n]+; the shipped holiday data is used$`));
  }
  const { page } = started({ error: 'Permission denied' });
  page.drawCld(2026, 9);
  assert.deepEqual([page.HE.innerText, page.HD4.innerHTML], [`无法读取 ${FILE}（Permission denied），仍用内置放假安排`, '休']);
});

test('with the badges a make-up Saturday reads black and a weekday off red; hidden, the designed colours return', () => {
  const { page } = started({});
  // October 2026 begins on a Thursday (cell 4): 1 and 2 October are weekdays off, 10 October a worked Saturday.
  const drawn = (shown) => (page.showHolidays = shown, page.drawCld(2026, 9),
    [4, 5, 13, 14].map((n) => page['SD' + n].style.color + page['HD' + n].innerHTML));
  assert.deepEqual([drawn(true), drawn(false)], [['red休', 'red休', 'black班', ''], ['red', '', '', '']]); // 国庆节 red as designed
});
