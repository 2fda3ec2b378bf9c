// The clocks in the real program against the system's own reading of its
// time-zone database (date(1)), under two settings of TZ, one of them a
// POSIX rule the engine on its own reads as UTC.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { Kestrun, execFileP } from './harness.mjs';

// Entries whose own offsets and rules no longer hold: Turkey, Brazil(EST),
// Russia(Moscow), US(Eastern), Western Samoa.
const ENTRIES = [[1, 23, 'Europe/Istanbul'], [7, 7, 'America/Sao_Paulo'], [3, 16, 'Europe/Moscow'],
  [6, 6, 'America/New_York'], [9, 31, 'Pacific/Apia']];

// date's fields at second s in zone tz: year, month, day, weekday, hour, minute, second.
async function dateFields(tz, s) {
  const { stdout } = await execFileP('date', ['-d', `@${s}`, '+%Y %-m %-d %w %-H %-M %-S'],
    { env: { ...process.env, TZ: tz } });
  return stdout.trim().split(' ').map(Number);
}

// The same fields from a clock text ("2026年12月7日 (一) 下午 01:05:09").
function shownFields(text) {
  const m = /^(\d+)年(\d+)月(\d+)日 \((.)\) (上午|下午) (\d\d):(\d\d):(\d\d)$/.exec(text);
  assert.ok(m, text);
  const hour = Number(m[6]) + (m[5] === '下午' ? 12 : 0);
  return [Number(m[1]), Number(m[2]), Number(m[3]), '日一二三四五六'.indexOf(m[4]), hour, Number(m[7]), Number(m[8])];
}

// The zone clock and the local clock computed within one second of the page.
const clocks = (a, c) => `setTZ(${a}, ${c});
  while (Date.now() % 1000 > 800);
  var t = Date.now();
  return [Math.floor(t / 1000), getGlobeTime(), showLocale(new Date(t)), tY, tM, tD];`;

for (const tz of ['CST-8', 'America/Mexico_City']) {
  test(`under TZ=${tz} both clocks and today agree with date`, async () => {
    const app = await Kestrun.start({ env: { TZ: tz } });
    try {
      for (const [a, c, id] of ENTRIES) {
        const [s, globe, local, ...today] = await app.run(clocks(a, c));
        assert.deepEqual(shownFields(globe), await dateFields(id, s), id);
        const [y, m, d, ...rest] = await dateFields(tz, s);
        assert.deepEqual(shownFields(local), [y, m, d, ...rest], `local time under ${tz}`);
        assert.deepEqual(today, [y, m - 1, d], 'today');
      }
    } finally {
      await app.stop();
    }
  });
}
