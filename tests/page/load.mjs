// Loads the page's main script into a fresh vm context the way the page runs
// it: the .js pieces of page/page.list, joined in list order, as one script.
import vm from 'node:vm';
import { pageScript } from '../../resources/page-script.mjs';

export { holidayTable } from '../../resources/page-script.mjs';

// now: fixed current time (ms) seen by the page through `new Date()` and
// Date.now() until __setNow moves it, or the real clock; only: optional path
// prefixes (e.g. ['calendar/']) to load a part of the script, still in page
// order; globals: stand-ins for what the page reaches (DOM, host), set before
// it runs. The holiday data is made by the build.
export function loadPage({ now = null, only, globals = {} } = {}) {
  class FixedDate extends Date {
    constructor(...args) { super(...(args.length ? args : [FixedDate.now()])); }
    static now() { return now ?? Date.now(); }
  }
  const context = vm.createContext({ Date: FixedDate, __setNow: (ms) => { now = ms; }, document: {}, window: {},
    navigator: { appName: 'Netscape', appVersion: '5.0' }, ...globals });
  context.window = Object.assign(context.window, { document: context.document });
  vm.runInContext(pageScript(only), context, { filename: 'page-script.js' });
  return context;
}
