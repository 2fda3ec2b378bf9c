// For the whole-range checks: a vm context makes every global lookup of the
// script some twenty times slower, so they load the same script text into
// this process's own realm (node --test runs each file in its own process).
import { createHash } from 'node:crypto';
import vm from 'node:vm';
import { mainScript } from '../load.mjs';

export function loadEngineHere() {
  vm.runInThisContext(mainScript(['calendar/']), { filename: 'page-script.js' });
  return globalThis;
}

// The lunar date of every day from 1900-01-31 to 2100-12-31 (at dayIndex),
// laid end to end from the table's month lengths alone.
export function lunarDays(lunarInfo) {
  const days = [];
  for (let y = 1900; y <= 2100; y++) {
    const w = lunarInfo[y - 1900], leap = (w & 0xf) === 0xf ? 0 : w & 0xf;
    for (let m = 1; m <= 12; m++) {
      const months = [[m, false, w & (0x10000 >> m) ? 30 : 29]];
      if (m === leap) months.push([m, true, (lunarInfo[y - 1899] & 0xf) === 0xf ? 30 : 29]);
      for (const [month, isLeap, len] of months) {
        for (let day = 1; day <= len; day++) days.push({ year: y, month, day, isLeap });
      }
    }
  }
  return days.slice(0, dayIndex(2100, 11, 31) + 1);
}

export const dayIndex = (y, m, d) => (Date.UTC(y, m, d) - Date.UTC(1900, 0, 31)) / 86400000;

// Every day of every month model from January 1900 to December 2100;
// each(model, y, m) sees each model as it is made.
export function allDays(e, each = () => {}) {
  const days = [];
  for (let y = 1900; y <= 2100; y++) {
    for (let m = 0; m < 12; m++) {
      const cld = new e.calendar(y, m);
      each(cld, y, m);
      for (let i = 0; i < cld.length; i++) days.push(cld[i]);
    }
  }
  return days;
}

export const digest = (v) => createHash('sha256').update(JSON.stringify(v)).digest('hex').slice(0, 16);
