// The lunar dates of every day from 1900-01-31 to 2100-12-31, laid end to end
// from the table's month lengths alone (the months of a year in the order
// 1 ... leap, the leap month, leap + 1 ... 12), independent of Lunar.
import { loadPage } from '../load.mjs';

export const firstDay = Date.UTC(1900, 0, 31);
export const lastDay = Date.UTC(2100, 11, 31);

export function lunarDays() {
  const c = loadPage({ only: ['calendar/lunar-table.js'] });
  const days = [];
  const total = (lastDay - firstDay) / 86400000 + 1;
  for (let y = 1900; days.length < total; y++) {
    const w = c.lunarInfo[y - 1900];
    const leap = (w & 0xf) === 0xf ? 0 : w & 0xf;
    for (let m = 1; m <= 12; m++) {
      const months = [[m, false, w & (0x10000 >> m) ? 30 : 29]];
      if (m === leap) months.push([m, true, (c.lunarInfo[y - 1899] & 0xf) === 0xf ? 30 : 29]);
      for (const [month, isLeap, len] of months) {
        for (let day = 1; day <= len; day++) days.push({ year: y, month, day, isLeap });
      }
    }
  }
  return days.slice(0, (lastDay - firstDay) / 86400000 + 1);
}

// Index into lunarDays() of a Gregorian date (month from 0).
export function dayIndex(y, m, d) {
  return (Date.UTC(y, m, d) - firstDay) / 86400000;
}
