// Loads what kestrun-cal runs (terminal/scripts.list) into a vm context of
// the page's loader: the listed page pieces, then kestrun-cal's own.
import fs from 'node:fs';
import path from 'node:path';
import vm from 'node:vm';
import { loadPage, pageDir } from '../page/load.mjs';

const terminalDir = path.resolve(pageDir, '../terminal');

export function loadCal(options = {}) {
  const entries = fs.readFileSync(path.join(terminalDir, 'scripts.list'), 'utf8').split('\n')
    .map((l) => l.trim()).filter((l) => l && !l.startsWith('#'));
  const page = loadPage({ ...options, only: entries.filter((e) => e.startsWith('page ')).map((e) => e.slice(5)) });
  for (const own of entries.filter((e) => !e.startsWith('page '))) {
    vm.runInContext(fs.readFileSync(path.join(terminalDir, own), 'utf8'), page, { filename: own });
  }
  return page;
}
