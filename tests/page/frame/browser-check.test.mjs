import { test } from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import vm from 'node:vm';
import { pageDir } from '../load.mjs';

// The check is the inline script of the body's start; run exactly that text.
const markup = fs.readFileSync(path.join(pageDir, 'frame/body-start.html'), 'utf8');
const check = markup.match(/<SCRIPT language=JScript>\n<!--\n([\s\S]*?)\/\/-->/)[1];
const warning = '<H1>你的浏览器无法执行此程序。</H1>此程序需在 IE4 以后的版本才能执行!!';
const ie = (appVersion) => ({ appName: 'Microsoft Internet Explorer', appVersion });

// What the check writes into a document with the given capabilities.
function written(navigator, { document = {}, window = {} } = {}) {
  const out = [];
  const doc = { getElementById() {}, write: (s) => out.push(s), ...document };
  vm.runInNewContext(check, { navigator, document: doc, window: { setTimeout() {}, escape() {}, RegExp, ...window } });
  return out.join('');
}

test('warned once, with both texts, below version 4 or without what the page uses; not a current engine calling itself Netscape', () => {
  const netscape = { appName: 'Netscape', appVersion: '5.0 (X11; Linux x86_64) AppleWebKit/605.1.15' };
  // document.all exists in current engines but is falsy; it must not matter.
  assert.deepEqual([written(netscape), written(netscape, { document: { all: undefined } }), written(ie('4.0 (compatible)'))], ['', '', '']);
  assert.equal(written(ie('3.02 (Win95; I)')), warning);
  for (const missing of [{ document: { getElementById: undefined } }, { window: { setTimeout: undefined } }, { window: { escape: undefined } }]) {
    assert.equal(written(ie('4.0 (compatible; MSIE 5.5)'), missing), warning);
  }
});
