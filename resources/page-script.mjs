// The page's main script as the page runs it: the .js pieces of
// page/page.list joined in list order, the holiday and almanac data made from
// data/ as the build makes them. The tests, the benchmarks and
// the term-table generator all load the engine through this one piece.
import fs from 'node:fs';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { holidayDataScript } from './holiday-data.mjs';
import { almanacDataScript } from './almanac-data.mjs';

const pageDir = fileURLToPath(new URL('../page', import.meta.url));
export const holidayTable = path.resolve(pageDir, '../data/cn-holidays.tsv');
export const almanacTables = ['almanac-days.tsv', 'almanac-texts.tsv'].map((f) => path.resolve(pageDir, '../data', f));

const madePieces = {
  'calendar/holiday-data.js': () => holidayDataScript(fs.readFileSync(holidayTable, 'utf8')),
  'calendar/almanac-data.js': () => almanacDataScript(...almanacTables.map((f) => fs.readFileSync(f, 'utf8'))),
};

// only: optional path prefixes (e.g. ['calendar/']) to take a part of the
// script, still in page order.
export function pageScript(only) {
  return fs.readFileSync(path.join(pageDir, 'page.list'), 'utf8').split('\n').map((l) => l.trim())
    .filter((p) => p.endsWith('.js') && (!only || only.some((prefix) => p.startsWith(prefix))))
    .map((p) => (madePieces[p] ? madePieces[p]() : fs.readFileSync(path.join(pageDir, p), 'utf8')))
    .join('');
}
