// Calendar engine figures: the month models of all 2,412 months from January
// 1900 to December 2100, and the conversion of every day of those years.
// Run by hand: node bench/engine.mjs [runs]
// The engine is loaded into this realm rather than a vm context, whose
// interceptor on every global lookup would be most of what gets measured.
import vm from 'node:vm';
import { mainScript } from '../tests/page/load.mjs';

vm.runInThisContext(mainScript(['calendar/']), { filename: 'page-script.js' });
const e = globalThis;
e.tY = 2003; e.tM = 1; e.tD = 14;

const runs = Number(process.argv[2]) || 7;
const median = (xs) => [...xs].sort((a, b) => a - b)[xs.length >> 1];

const dates = [];
for (let t = Date.UTC(1900, 0, 1); t <= Date.UTC(2100, 11, 31); t += 86400000) {
  const u = new Date(t);
  dates.push(new Date(u.getUTCFullYear(), u.getUTCMonth(), u.getUTCDate()));
}

function allMonths() {
  const t0 = performance.now();
  for (let y = 1900; y <= 2100; y++) for (let m = 0; m < 12; m++) new e.calendar(y, m);
  return performance.now() - t0;
}

function allDays() {
  const t0 = performance.now();
  for (const d of dates) new e.Lunar(d);
  return performance.now() - t0;
}

allMonths(); allDays(); // warm up
const months = [], days = [];
for (let i = 0; i < runs; i++) { months.push(allMonths()); days.push(allDays()); }

const mm = median(months), dd = median(days);
console.log(`node ${process.version}, ${runs} runs, medians`);
console.log(`2412 month models: ${mm.toFixed(1)} ms (${(mm * 1000 / 2412).toFixed(1)} us per month; target < 300 ms)`);
console.log(`${dates.length} conversions: ${dd.toFixed(1)} ms (${(dd * 1000 / dates.length).toFixed(2)} us per conversion; target < 5 us)`);
