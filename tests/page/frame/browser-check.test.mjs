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

// What the check writes into a document with the given capabilities.
function written({ navigator, document = {}, window = {} }) {
  const out = [];
  const doc = { getElementById() {}, write: (s) => out.push(s), ...document };
  const win = { setTimeout() {}, escape() {}, RegExp, ...window };
  vm.runInNewContext(check, { navigator, document: doc, window: win });
  return out.join('');
}

test('a current engine that calls itself Netscape gets no warning', () => {
  const netscape = { appName: 'Netscape', appVersion: '5.0 (X11; Linux x86_64) AppleWebKit/605.1.15' };
  assert.equal(written({ navigator: netscape }), '');
  // document.all exists in current engines but is falsy; it must not matter.
  assert.equal(written({ navigator: netscape, document: { all: undefined } }), '');
});

test('a browser without what the page uses is warned, once, with both texts', () => {
  const nav = { appName: 'Microsoft Internet Explorer', appVersion: '4.0 (compatible; MSIE 5.5)' };
  for (const missing of [{ document: { getElementById: undefined } }, { window: { setTimeout: undefined } },
    { window: { escape: undefined } }]) {
    assert.equal(written({ navigator: nav, ...missing }), warning);
  }
});

test('a version below 4 is warned', () => {
  assert.equal(written({ navigator: { appName: 'Microsoft Internet Explorer', appVersion: '3.02 (Win95; I)' } }), warning);
  assert.equal(written({ navigator: { appName: 'Microsoft Internet Explorer', appVersion: '4.0 (compatible)' } }), '');
});
