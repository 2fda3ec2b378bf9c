// Makes page/calendar/term-table.js, the correction that puts every solar
// term of 1900-2100 on its true instant. For each year and each of the 24
// terms from 小寒 (n = 0), it searches the instant at which the Sun's
// apparent geocentric longitude (true equinox of date, with nutation and
// aberration) reaches 285° + 15°·n, with the library's ΔT model, and writes
// the minutes from the page's mean-year instant (sTermMean, read as Beijing
// time) to that instant in Beijing time (UTC+8).
//
// The instant is kept to the nearest minute, except that a term in the last
// half minute of a Beijing day is kept at 23:59: the day, which is what the
// calendar shows, must not move with the rounding.
//
// usage: node tools/term-table.mjs   (rewrites page/calendar/term-table.js)
import fs from 'node:fs';
import vm from 'node:vm';
import * as Astronomy from 'astronomy-engine';
import { pageScript } from '../resources/page-script.mjs';

const beijing = 8 * 3600000, minute = 60000;
const page = vm.createContext({});
vm.runInContext(pageScript(['calendar/']), page);

function termInstant(y, n) {
  const start = new Date(Date.UTC(y, n >> 1, 1) - beijing);
  return Astronomy.SearchSunLongitude((285 + 15 * n) % 360, start, 32).date.getTime();
}

// Beijing wall time of the instant, in whole minutes, without crossing midnight.
function beijingMinute(ms) {
  const wall = ms + beijing, rounded = Math.round(wall / minute);
  return Math.floor(rounded * minute / 86400000) === Math.floor(wall / 86400000) ? rounded : Math.floor(wall / minute);
}

function yearRow(y) {
  let row = '';
  for (let n = 0; n < 24; n++) {
    const fix = beijingMinute(termInstant(y, n)) - Math.floor(page.sTermMean(y, n) / minute);
    if (Math.abs(fix) > 647) throw new Error(`${y} term ${n}: ${fix} minutes is more than two digits hold`);
    row += (fix + 648).toString(36).padStart(2, '0');
  }
  return row;
}

const rows = [];
for (let y = 1900; y <= 2100; y++) rows.push(`"${yearRow(y)}"`);
const text = `// Made by tools/term-table.mjs from an ephemeris (astronomy-engine): edit
// that tool, not this table. One text per year 1900-2100, two base-36 digits
// per term from 小寒: the minutes, plus 648, from the mean-year instant of
// sTermMean, read as Beijing time, to the term's true instant in Beijing time.
var termFix=new Array(
${rows.map((r, i) => r + (i + 1 < rows.length ? ',' : ');')).join('\n')}
`;
fs.writeFileSync(new URL('../page/calendar/term-table.js', import.meta.url), text);
