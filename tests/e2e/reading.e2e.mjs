// What a screen reader gets from the real program, read through the
// accessibility bus (AT-SPI) as a reader reads it: the names of a day off, a
// make-up working day and the zone clock, and nothing of what only decorates.
// The bus is the test's own, and so is every process it starts.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { spawn } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { Kestrun, execFileP, sleep, tempFolder, tether, until } from './harness.mjs';

const walker = path.join(path.dirname(fileURLToPath(import.meta.url)), 'atspi-names.py');

// Processes that were given the session bus at `address`: the program's, and
// the accessibility bus's launcher, bus and registry, which leave the tree of
// the process that started them.
const onBus = (address) => fs.readdirSync('/proc').filter((e) => /^\d+$/.test(e)).map(Number).filter((pid) => {
  try { return fs.readFileSync(`/proc/${pid}/environ`, 'latin1').split('\0').includes(`DBUS_SESSION_BUS_ADDRESS=${address}`); }
  catch { return false; }
});

async function sessionBus() {
  const bus = spawn('dbus-daemon', ['--session', '--nofork', '--print-address=1'],
    { env: { ...process.env, HOME: tempFolder() }, stdio: ['ignore', 'pipe', 'ignore'] });
  tether(bus.pid);
  let text = '';
  bus.address = await new Promise((resolve) => bus.stdout.on('data', (d) => { if ((text += d).includes('\n')) resolve(text.trim()); }));
  return bus;
}

// Ends the bus and whatever it started; fails if any of it stays.
async function endBus(bus) {
  const started = onBus(bus.address);
  bus.kill();
  for (const pid of started) try { process.kill(pid); } catch { /* gone already */ }
  await until(() => onBus(bus.address).length === 0, 'the accessibility processes to end', 5000).catch(async () => {
    for (const pid of onBus(bus.address)) try { process.kill(pid, 'SIGKILL'); } catch { /* gone already */ }
    await sleep(500);
  });
  assert.deepEqual(onBus(bus.address), [], 'processes of the accessibility bus left behind');
}

test('a screen reader hears each day\'s holiday and 放假 or 调休上班, the zone clock\'s place, and no decoration', async () => {
  const bus = await sessionBus();
  const app = await Kestrun.start({ env: { DBUS_SESSION_BUS_ADDRESS: bus.address, NO_AT_BRIDGE: null } }).catch(async (error) => {
    await endBus(bus);
    throw error;
  });
  try {
    await app.run('CLD.SY.selectedIndex = 126; CLD.SM.selectedIndex = 9; changeCld();');
    const { stdout } = await execFileP('/usr/bin/python3', [walker, String(app.program)], { env: app.env, maxBuffer: 1 << 24 });
    const nodes = stdout.trim().split('\n').map((line) => JSON.parse(line));
    const names = nodes.map((n) => n.name);
    for (const name of ['2026年10月1日 星期四 农历八月廿一 国庆节 世界音乐日 国际老人节 国际音乐日 国庆节 放假',
      '2026年10月10日 星期六 农历九月初一 辛亥革命纪念日 世界精神卫生日 国庆节 调休上班', '所选地区时间 中国 北京、重庆、上海、天津',
      '年份', '月份'])
      assert.ok(names.includes(name), `no element named ${name}`);
    // The map's symbol-font characters, the watermark, a lone badge and the white footer.
    const heard = nodes.filter((n) => /[\u00d9\u00da\ue3a8]|OCT|^[休班]|最后更新/.test(n.name + '\n' + n.text));
    assert.deepEqual(heard, []);
  } finally {
    await app.stop();
    await endBus(bus);
  }
});
