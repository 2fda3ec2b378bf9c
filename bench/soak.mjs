// Memory under use: drives the real program with the real pointer and
// keyboard through mixed actions (day pop-ups, navigation buttons, the zone
// menus, window resizes) and prints the proportional set size (PSS), the
// private and the anonymous memory of the page process at the start, after 1,000, 5,000 and
// 10,000 actions, and after a time left idle.
// Run by hand: [KESTRUN_BUILD_DIR=build] node bench/soak.mjs [actions] [idle minutes] [--quick]
//   --quick: 50 actions and three seconds idle, for the test suite (the
//   figures mean nothing).
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { Kestrun, descendantPids, programPath, sleep } from '../tests/e2e/harness.mjs';

const quick = process.argv.includes('--quick');
const numbers = process.argv.slice(2).filter((a) => /^\d+$/.test(a)).map(Number);
const actions = quick ? 50 : numbers[0] || 10000;
const idleMinutes = quick ? 0.05 : numbers[1] ?? 10;
const marks = [1000, 5000, 10000].filter((n) => n < actions).concat(actions);

// The page process's proportional set size, its private memory and its
// anonymous memory (kB). On a machine where other programs map the same
// engine libraries, their share of those pages moves as they come and go,
// and with it the PSS; library pages that no other process holds at the
// moment count as private, so the private figure swings by tens of MB while
// the page sits idle. The anonymous memory (heaps, the script engine's
// collected heap, caches) is what the page process itself allocated, and is
// where a leak shows.
function pageMemory(app) {
  const page = descendantPids(app.program)
    .find((pid) => fs.readFileSync(`/proc/${pid}/comm`, 'utf8').startsWith('WebKitWebProces'));
  const rollup = fs.readFileSync(`/proc/${page}/smaps_rollup`, 'utf8');
  const field = (name) => Number(new RegExp(`^${name}:\\s+(\\d+)`, 'm').exec(rollup)[1]);
  return { pss: field('Pss'), private: field('Private_Clean') + field('Private_Dirty'), anon: field('Anonymous') };
}

const mb = (kb) => (kb / 1024).toFixed(1).padStart(7);
function report(what, now, start) {
  const above = (key) => (start ? ` (${(now[key] - start[key]) / 1024 >= 0 ? '+' : ''}${((now[key] - start[key]) / 1024).toFixed(1)})` : '');
  console.log(`${what.padEnd(22)} PSS ${mb(now.pss)} MB${above('pss')}   private ${mb(now.private)} MB${above('private')}   anonymous ${mb(now.anon)} MB${above('anon')}`);
}

const centre = (r) => [r.x + r.width / 2, r.y + r.height / 2];

// A copy of its own, so that its page file does not meet the tests' when
// they run meanwhile.
const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'kestrun-soak-'));
fs.copyFileSync(programPath, path.join(folder, 'kestrun'));
const app = await Kestrun.start({ binary: path.join(folder, 'kestrun') });
try {
  await app.resize(1000, 700);
  const days = [];
  for (let i = 0; i < 42; i += 3) days.push(centre(await app.rect(`#SD${i}`)));
  const buttons = [];
  for (const key of ['YD', 'YU', 'MD', 'MU', '']) buttons.push(centre(await app.rect(`button[onclick="pushBtm('${key}')"]`)));
  const menus = [centre(await app.rect('select[name=continentMenu]')), centre(await app.rect('select[name=countryMenu]'))];
  await app.pointerMove(5, 5);
  await app.painted();
  const start = pageMemory(app);
  report('start', start);

  // One action (one xdotool run): mostly pointing at days and pressing
  // buttons, now and then a menu opened and a choice made with the keyboard,
  // or a new window height. The window stays where it is, so page points
  // turn into screen points once.
  const origin = await app.pageOrigin();
  const at = ([x, y]) => ['mousemove', '--sync', String(Math.round(origin.x + x)), String(Math.round(origin.y + y))];
  const pick = (list, n) => list[n % list.length];
  await app.xdotool('windowactivate', '--sync', app.window);
  for (let n = 1; n <= actions; n++) {
    const kind = n % 10;
    if (kind < 5) await app.xdotool(...at(pick(days, n * 7)));
    else if (kind < 8) await app.xdotool(...at(pick(buttons, n)), 'click', '1');
    else if (kind === 8) await app.xdotool(...at(pick(menus, n)), 'click', '1', 'sleep', '0.1', 'key', n % 4 === 0 ? 'Up' : 'Down', 'key', 'Return');
    else await app.xdotool('windowsize', '--sync', app.window, '1000', String(n % 20 === 9 ? 740 : 700));
    if (n % 100 === 0) await app.painted();
    if (marks.includes(n)) report(`after ${n} actions`, pageMemory(app), start);
  }
  if (idleMinutes > 0) {
    await sleep(idleMinutes * 60000);
    report(`after ${idleMinutes} min idle`, pageMemory(app), start);
  }
} finally {
  await app.stop();
  fs.rmSync(folder, { recursive: true, force: true });
}
