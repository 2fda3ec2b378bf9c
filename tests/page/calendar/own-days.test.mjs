// Where the user's own days fall, against dates worked out by hand from the
// lunar months' first days (2020 闰四月 from 23 May, 2023 闰二月 from 22 March,
// 2025 闰六月 from 25 July, 29 days; 2026's new year on 17 February after a
// 29-day twelfth month).
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { loadPage } from '../load.mjs';

const c = loadPage({ only: ['calendar/'] });
const iso = (t) => new Date(t).toISOString().slice(0, 10);
const day = (line) => c.parseOwnDays(line).days[0];

test('lunar 30ths, leap and ordinary months, and 29 February', () => {
  const cases = [
    ['lunar\tL04-01\tx', 2020, '2020-05-23'], ['lunar\tL04-01\tx', 2021, '2021-05-12'], ['lunar\t04-01\tx', 2020, '2020-04-23'],
    ['lunar\tL02-15\tx', 2023, '2023-04-05'], ['lunar\t02-15\tx', 2023, '2023-03-06'], ['lunar\tL06-30\tx', 2025, '2025-08-22'],
    ['lunar\t06-30\tx', 2025, '2025-07-24'], ['lunar\t03-05\tx', 2027, '2027-04-11'], ['solar\t02-29\tx', 2026, '2026-02-28'],
    ['solar\t02-29\tx', 2028, '2028-02-29'], ['lunar\t03-05\tx', 1899, null], ['solar\t01-01\tx', 2101, null],
  ];
  for (const [line, y, date] of cases) {
    const t = c.ownDayIn(day(line), y);
    assert.equal(t === null ? null : iso(t), date, `${line} in ${y}`);
  }
});

test('the days in a span, lunar ones of the year before included, with their counts', () => {
  const list = c.parseOwnDays('solar\t2014-05-20\t结婚纪念日\nlunar\t1956-12-20\t妈妈生日\tnote\nlunar\t2020-12-20\t祭日\n');
  const found = c.ownDatesBetween(list.days, Date.UTC(2026, 0, 1), Date.UTC(2027, 0, 1));
  assert.deepEqual(Array.from(found, (r) => `${iso(r.t)} ${c.ownTitle(r)}`), [
    '2026-02-07 妈妈69岁生日', '2026-02-07 祭日（第5年）', '2026-05-20 结婚第12个纪念日']);
});

test('a bad line is named and left out (one not UTF-8 too, which the host gives empty), the others applied', () => {
  const list = c.parseOwnDays('\uFEFF# mine\r\nlunar\t03-05\t妈妈生日\r\nlunar\t03-05\r\nyearly\t03-05\tx\n' +
    'solar\tL03-05\tx\nlunar\t13-01\tx\nsolar\t02-30\tx\nlunar\t2101-01-01\tx\n\nsolar\t1990-02-29\t生日\t备注\n', [9]);
  assert.deepEqual(JSON.parse(JSON.stringify(list.bad)), [[3, 'fields'], [4, 'kind'], [5, 'date'], [6, 'day'], [7, 'day'], [8, 'date'], [9, 'utf8']]
    .map(([line, reason]) => ({ line, reason })));
  assert.deepEqual(Array.from(list.days, (o) => [o.line, c.ownDateText(o), o.name, o.note]), [[2, '03-05', '妈妈生日', ''], [10, '1990-02-29', '生日', '备注']]);
});
