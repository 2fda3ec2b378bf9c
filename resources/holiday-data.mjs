// Build-time tool: turns the holiday table (data/cn-holidays.tsv) into the
// page piece that carries its rows as one text, which the page reads with the
// same parser as a user's own holidays.tsv. The notice list at the top of the
// table is its source and stays there; the page does not need it.
//
// usage: node holiday-data.mjs <cn-holidays.tsv> <holiday-data.js out>

import fs from 'node:fs';
import path from 'node:path';
import { fileURLToPath } from 'node:url';

export function holidayDataScript(tsv) {
  const rows = tsv.split(/\r?\n/).filter((line) => line !== '' && !line.startsWith('#'));
  return '// Made at build time from data/cn-holidays.tsv: edit that file, not this one.\n' +
    'var holidayData =\n' + rows.map((row) => JSON.stringify(row + '\n')).join(' +\n') + ';\n';
}

if (process.argv[1] && path.resolve(process.argv[1]) === fileURLToPath(import.meta.url)) {
  const [source, target] = process.argv.slice(2);
  fs.mkdirSync(path.dirname(target), { recursive: true });
  fs.writeFileSync(target, holidayDataScript(fs.readFileSync(source, 'utf8')));
}
