import { test } from 'node:test';
import assert from 'node:assert/strict';
import { loadPage } from '../load.mjs';

test('today is the local date of the load moment', () => {
  const page = loadPage({ only: ['frame/today.js', 'worldclock/host-zones.js'], now: Date.UTC(2003, 11, 31, 23, 30) });
  const local = new Date(Date.UTC(2003, 11, 31, 23, 30));
  assert.deepEqual([page.tY, page.tM, page.tD], [local.getFullYear(), local.getMonth(), local.getDate()]);
  assert.equal(page.Today.getTime(), local.getTime());
});
