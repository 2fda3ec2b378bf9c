// The calendar against the sky, worked out by a second ephemeris (Meeus's
// methods over the full VSOP87 series, with observed ΔT: astronomia), not
// the one the term table was made with: the day and minute of every solar
// term 1900-2100 (the pillars turn on those days: month-model.test.mjs), and
// the first day of every lunar month of the table.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { deltat, moonphase, planetposition, solar } from 'astronomia';
import vsop87Bearth from 'astronomia/data/vsop87Bearth';
import { loadPage } from '../load.mjs';

const c = loadPage({ only: ['calendar/'] });
const earth = new planetposition.Planet(vsop87Bearth);
const day = 86400000, beijing = 8 * 3600000;
const jdOf = (ms) => ms / day + 2440587.5;
// UT time value of a dynamical-time Julian day.
const utOf = (jde) => (jde - 2440587.5) * day - deltat.deltaT(2000 + (jde - 2451545) / 365.25) * 1000;
const beijingDay = (ms) => Math.floor((ms + beijing) / day);
const clock = (ms) => new Date(ms + beijing).toISOString().slice(0, 19).replace('T', ' ');

// Newton's steps on the apparent longitude, from the table's own instant.
function skyTerm(y, n) {
  const target = ((285 + 15 * n) % 360) * Math.PI / 180;
  let jde = jdOf(c.sTermTime(y, n)) + 0.0008, step = 1;
  while (Math.abs(step) > 1e-8) jde += step = 58.13 * Math.sin(target - solar.apparentVSOP87(earth, jde).lon);
  return utOf(jde);
}

const years = Array.from({ length: 201 }, (_, i) => 1900 + i);
const sky = new Map(years.map((y) => [y, Array.from({ length: 24 }, (_, n) => skyTerm(y, n))]));

test('every solar term 1900-2100 on its day, within two minutes; those near midnight', () => {
  const wrong = [], nearMidnight = [];
  for (const y of years) for (let n = 0; n < 24; n++) {
    const t = sky.get(y)[n], name = `${y} ${c.solarTerm[n]}`;
    if (c.sTerm(y, n) !== new Date(t + beijing).getUTCDate()) wrong.push(name);
    assert.ok(Math.abs(c.sTermTime(y, n) - t) <= 120000, `${name}: ${clock(c.sTermTime(y, n))} against ${clock(t)}`);
    if (Math.abs(t - Math.round((t + beijing) / day) * day + beijing) < 120000) nearMidnight.push(`${name} ${clock(t)}`);
  }
  assert.deepEqual(wrong, []);
  // Within two minutes of Beijing midnight the model of ΔT decides the day.
  assert.deepEqual(nearMidnight, [
    '1911 立夏 1911-05-07 00:00:23', '1917 小满 1917-05-21 23:58:37', '1917 大雪 1917-12-08 00:01:05',
    '1923 雨水 1923-02-19 23:59:45', '1950 谷雨 1950-04-20 23:59:09', '1951 冬至 1951-12-23 00:00:04',
    '1979 大寒 1979-01-20 23:59:56', '1984 大暑 1984-07-22 23:58:13', '2008 小满 2008-05-21 00:00:53',
    '2021 冬至 2021-12-21 23:59:17', '2051 春分 2051-03-20 23:58:52', '2084 春分 2084-03-19 23:59:04',
  ]);
});

// Before 1929 the calendar was reckoned in the local mean time of Beijing's
// meridian (116°25' E, UTC+7:45:40). This ephemeris's new moons are good to
// about a minute: within that of midnight it leaves the day undecided.
test('every lunar month begins on the Beijing day of its new moon', () => {
  const zone = (t) => (t < Date.UTC(1929, 0, 1) ? 27940000 : beijing), moon = new Map();
  for (let year = 1899.99; year < 2101.1;) {
    const jde = moonphase.newMoon(year), t = utOf(jde);
    const days = [t - 60000, t + 60000].map((u) => Math.floor((u + zone(t)) / day));
    for (const d of days) moon.set(d, days);
    year = 2000 + (jde + 29.53 - 2451545) / 365.25;
  }
  const starts = [['1899-12', Date.UTC(1900, 0, 1) / day]];
  let d = Date.UTC(1900, 0, 31) / day;
  for (const y of years) for (let m = 1; m <= 12; m++) {
    starts.push([`${y}-${m}`, d]); d += c.monthDays(y, m);
    if (m === c.leapMonth(y)) { starts.push([`${y}-闰${m}`, d]); d += c.leapDays(y); }
  }
  const names = (keep) => starts.filter(([, s]) => keep(moon.get(s))).map(([name]) => name);
  assert.deepEqual([names((m) => !m), names((m) => m && m[0] !== m[1])], [[], ['2057-9', '2097-7']]);
  assert.equal(new Set([...moon.values()].filter(([s]) => s >= starts[0][1] && s < d)).size, starts.length);
});
