import { test } from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import vm from 'node:vm';

// The check is the inline script of the body's start; run exactly that text.
const markup = fs.readFileSync(new URL('../../../page/frame/body-start.html', import.meta.url), 'utf8');
const check = markup.match(/<SCRIPT language=JScript>\n<!--\n([\s\S]*?)\/\/-->/)[1];

// What the check writes for a browser of the given version and getElementById.
// document.all exists in current engines but is falsy; it must not matter.
function written(appVersion, getElementById) {
  const out = [], document = { all: undefined, getElementById, write: (s) => out.push(s) };
  const window = { setTimeout() {}, escape() {}, RegExp };
  vm.runInNewContext(check, { navigator: { appName: 'Netscape', appVersion }, document, window });
  return out.join('');
}

test('warned once, with both texts, below version 4 or without what the page uses; not a current engine', () => {
  const warning = '<H1>你的浏览器无法执行此程序。</H1>此程序需在 IE4 以后的版本才能执行!!';
  const versions = ['5.0 (X11; Linux x86_64) AppleWebKit/605.1.15', '4.0 (compatible; MSIE 5.5)', '3.02 (Win95; I)'];
  assert.deepEqual([...versions.map((v) => written(v, () => {})), written('5.0')], ['', '', warning, warning]);
});
