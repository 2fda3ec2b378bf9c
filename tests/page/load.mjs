// Loads the page's main script into a fresh vm context the way the page runs
// it: the .js pieces of page/page.list, joined in list order, as one script.
import fs from 'node:fs';
import path from 'node:path';
import vm from 'node:vm';
import { fileURLToPath } from 'node:url';
import { holidayDataScript } from '../../resources/holiday-data.mjs';

export const pageDir = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '../../page');
export const holidayTable = path.resolve(pageDir, '../data/cn-holidays.tsv');

// Pieces the build makes rather than keeps in page/.
const madePieces = {
  'calendar/holiday-data.js': () => holidayDataScript(fs.readFileSync(holidayTable, 'utf8')),
};

export function pagePieces() {
  return fs.readFileSync(path.join(pageDir, 'page.list'), 'utf8')
    .split('\n').map((l) => l.trim())
    .filter((l) => l && !l.startsWith('#'));
}

// only: optional list of path prefixes (e.g. ['calendar/']) to load a part of
// the script, still in page order.
export function mainScript(only) {
  return pagePieces().filter((p) => p.endsWith('.js'))
    .filter((p) => !only || only.some((prefix) => p.startsWith(prefix)))
    .map((p) => (madePieces[p] ? madePieces[p]() : fs.readFileSync(path.join(pageDir, p), 'utf8')))
    .join('');
}

// Replaces the context's Date so that `new Date()` and Date.now() read a
// clock the test sets; every other use of Date is the engine's own.
const clockPrelude = `
(function (RealDate) {
  var now = null;
  class Date extends RealDate {
    constructor(...args) { if (args.length === 0 && now !== null) super(now); else super(...args); }
    static now() { return now === null ? RealDate.now() : now; }
  }
  globalThis.Date = Date;
  globalThis.__setNow = function (ms) { now = ms; };
})(Date);
`;

// options.now: fixed current time (ms) seen by the page, or undefined for the real clock.
// options.only: see mainScript.
// options.globals: extra globals (DOM stand-ins) put into the context before the script runs.
export function loadPage(options = {}) {
  const context = vm.createContext({
    document: {},
    window: {},
    navigator: { appName: 'Netscape', appVersion: '5.0' },
    ...(options.globals || {}),
  });
  context.window = Object.assign(context.window, { document: context.document });
  vm.runInContext(clockPrelude, context);
  if (options.now !== undefined) context.__setNow(options.now);
  vm.runInContext(mainScript(options.only), context, { filename: 'page-script.js' });
  return context;
}
