// Calendar engine figures: the month models of all 2,412 months from January
// 1900 to December 2100, the conversion of every day of those years, and the
// cost of one conversion in 1900, 2026 and 2100 (the converter walks the
// lunar years from 1900 on each call, so a late date costs more).
// Run by hand: node bench/engine.mjs [runs] [--quick]
//   --quick: one short round, for the test suite (the figures mean nothing).
// The engine is loaded into this realm rather than a vm context, whose
// interceptor on every global lookup would be most of what gets measured.
import vm from 'node:vm';
import { pageScript } from '../resources/page-script.mjs';

vm.runInThisContext(pageScript(['calendar/']), { filename: 'page-script.js' });
const e = globalThis;
// Today as frame/today.js leaves it, in a month that even the quick round
// draws, so that every round marks today's cell.
e.tY = 1901; e.tM = 1; e.tD = 14; e.todayNote = '';

const quick = process.argv.includes('--quick');
const runs = quick ? 1 : Number(process.argv[2]) || 7;
const lastYear = quick ? 1901 : 2100;
const median = (xs) => [...xs].sort((a, b) => a - b)[xs.length >> 1];

function daysOf(from, to) {
  const dates = [];
  for (let t = Date.UTC(from, 0, 1); t <= Date.UTC(to, 11, 31); t += 86400000) {
    const u = new Date(t);
    dates.push(new Date(u.getUTCFullYear(), u.getUTCMonth(), u.getUTCDate()));
  }
  return dates;
}
const dates = daysOf(1900, lastYear);

function allMonths() {
  const t0 = performance.now();
  for (let y = 1900; y <= lastYear; y++) for (let m = 0; m < 12; m++) new e.calendar(y, m);
  return performance.now() - t0;
}

function convert(list) {
  const t0 = performance.now();
  for (const d of list) new e.Lunar(d);
  return performance.now() - t0;
}

allMonths(); convert(dates); // warm up
const months = [], days = [];
for (let i = 0; i < runs; i++) { months.push(allMonths()); days.push(convert(dates)); }
const perYear = [1900, 2026, 2100].map((y) => {
  const list = daysOf(y, y), times = [];
  for (let i = 0; i < runs; i++) times.push(convert(list));
  return `${y} ${(median(times) * 1000 / list.length).toFixed(2)} us`;
});

const mm = median(months), dd = median(days), count = (lastYear - 1899) * 12;
console.log(`node ${process.version}, ${runs} runs, medians`);
console.log(`${count} month models: ${mm.toFixed(1)} ms (${(mm * 1000 / count).toFixed(1)} us per month; target < 300 ms for all 2412)`);
console.log(`${dates.length} conversions: ${dd.toFixed(1)} ms (${(dd * 1000 / dates.length).toFixed(2)} us per conversion; target < 5 us)`);
console.log(`one conversion, by year: ${perYear.join(', ')}`);
