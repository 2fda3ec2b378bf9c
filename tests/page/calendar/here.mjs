// The whole-range checks run the engine over two centuries of days. In a vm
// context every global lookup of the script goes through the context's
// interceptor, some twenty times slower, so these checks load the same script
// text into the test process's own realm instead (node --test gives each test
// file a process of its own).
import vm from 'node:vm';
import { mainScript } from '../load.mjs';

export function loadEngineHere() {
  vm.runInThisContext(mainScript(['calendar/']), { filename: 'page-script.js' });
  return globalThis;
}
