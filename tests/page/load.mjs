// Loads the page's main script into a fresh vm context the way the page runs
// it: the .js pieces of page/page.list, joined in list order, as one script.
import fs from 'node:fs';
import path from 'node:path';
import vm from 'node:vm';
import { fileURLToPath } from 'node:url';
import { holidayDataScript } from '../../resources/holiday-data.mjs';

export const pageDir = fileURLToPath(new URL('../../page', import.meta.url));
export const holidayTable = path.resolve(pageDir, '../data/cn-holidays.tsv');

// only: optional path prefixes (e.g. ['calendar/']) to load a part of the
// script, still in page order. The holiday data is made by the build.
export function mainScript(only) {
  return fs.readFileSync(path.join(pageDir, 'page.list'), 'utf8').split('\n').map((l) => l.trim())
    .filter((p) => p.endsWith('.js') && (!only || only.some((prefix) => p.startsWith(prefix))))
    .map((p) => (p === 'calendar/holiday-data.js' ? holidayDataScript(fs.readFileSync(holidayTable, 'utf8'))
      : fs.readFileSync(path.join(pageDir, p), 'utf8')))
    .join('');
}

// Replaces the context's Date so that `new Date()` and Date.now() read a
// clock the test sets; every other use of Date is the engine's own.
const clockPrelude = `(function (RealDate) {
  var now = null;
  class Date extends RealDate {
    constructor(...args) { if (args.length === 0 && now !== null) super(now); else super(...args); }
    static now() { return now === null ? RealDate.now() : now; }
  }
  globalThis.Date = Date;
  globalThis.__setNow = function (ms) { now = ms; };
})(Date);`;

// now: fixed current time (ms) seen by the page, or the real clock;
// globals: stand-ins for what the page reaches (DOM, host), set before it runs.
export function loadPage({ now, only, globals = {} } = {}) {
  const context = vm.createContext({ document: {}, window: {}, navigator: { appName: 'Netscape', appVersion: '5.0' }, ...globals });
  context.window = Object.assign(context.window, { document: context.document });
  vm.runInContext(clockPrelude, context);
  if (now !== undefined) context.__setNow(now);
  vm.runInContext(mainScript(only), context, { filename: 'page-script.js' });
  return context;
}
