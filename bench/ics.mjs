// kestrun-cal --ics with a days.tsv at the reader's 1 MiB limit, in the
// shortest lines (about 75,000 days): the time, the size of the file and the
// peak memory (VmHWM, through getrusage) of an export.
// Run by hand: [KESTRUN_BUILD_DIR=build] node bench/ics.mjs [from-to] [--quick]
//   from-to: the years (default 1900-2100, some 2 GB to /dev/null);
//   --quick: 2026 alone, for the test suite (the figures mean nothing).
import { spawnSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { buildDir } from '../tests/e2e/harness.mjs';

const quick = process.argv.includes('--quick');
const years = quick ? '2026' : process.argv.slice(2).find((a) => /^\d+(-\d+)?$/.test(a)) || '1900-2100';
const data = fs.mkdtempSync(path.join(os.tmpdir(), 'kestrun-bench-'));
try {
  const lines = [];
  for (let i = 0, size = 0; size + 14 <= 1 << 20; i++, size += 14)
    lines.push(`${i % 2 ? 'lunar' : 'solar'}\t${String(i % 12 + 1).padStart(2, '0')}-${String(i % 28 + 1).padStart(2, '0')}\tx`);
  fs.mkdirSync(path.join(data, 'kestrun'));
  fs.writeFileSync(path.join(data, 'kestrun', 'days.tsv'), lines.join('\n') + '\n');
  const script = `import json, resource, subprocess, sys, time
start = time.monotonic()
run = subprocess.Popen(sys.argv[1:], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
size = 0
for chunk in iter(lambda: run.stdout.read(1 << 16), b''):
    size += len(chunk)
usage = resource.getrusage(resource.RUSAGE_CHILDREN) if run.wait() == 0 else None
print(json.dumps(usage and [time.monotonic() - start, usage.ru_utime, size, usage.ru_maxrss]))`;
  const run = spawnSync('/usr/bin/python3', ['-c', script, path.join(buildDir, 'kestrun-cal'), '--ics', years],
    { encoding: 'utf8', env: { ...process.env, XDG_DATA_HOME: data } });
  const figures = JSON.parse(run.stdout || 'null');
  if (!figures) throw new Error(`kestrun-cal --ics ${years} failed ${run.stderr}`);
  const [seconds, user, size, peak] = figures;
  console.log(`kestrun-cal --ics ${years}, ${lines.length} own days: ${seconds.toFixed(1)} s (${user.toFixed(1)} s CPU), ` +
    `${(size / 1e6).toFixed(1)} MB written, peak ${(peak / 1024).toFixed(1)} MB (target < 100 MB)`);
} finally {
  fs.rmSync(data, { recursive: true, force: true });
}
