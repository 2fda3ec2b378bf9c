// The page's main script as the page runs it: the .js pieces of
// page/page.list joined in list order, the holiday data made from
// data/cn-holidays.tsv as the build makes it. The tests, the benchmarks and
// the term-table generator all load the engine through this one piece.
import fs from 'node:fs';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { holidayDataScript } from './holiday-data.mjs';

const pageDir = fileURLToPath(new URL('../page', import.meta.url));
export const holidayTable = path.resolve(pageDir, '../data/cn-holidays.tsv');

// only: optional path prefixes (e.g. ['calendar/']) to take a part of the
// script, still in page order.
export function pageScript(only) {
  return fs.readFileSync(path.join(pageDir, 'page.list'), 'utf8').split('\n').map((l) => l.trim())
    .filter((p) => p.endsWith('.js') && (!only || only.some((prefix) => p.startsWith(prefix))))
    .map((p) => (p === 'calendar/holiday-data.js' ? holidayDataScript(fs.readFileSync(holidayTable, 'utf8'))
      : fs.readFileSync(path.join(pageDir, p), 'utf8')))
    .join('');
}
