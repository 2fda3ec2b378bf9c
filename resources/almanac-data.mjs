// Build-time tool: turns the almanac's two tables (data/almanac-days.tsv and
// data/almanac-texts.tsv) into the page piece that carries them.
//
// The month tables are 720 rows of four word lists, 150 KB as UTF-8; the page
// file is written in code page 936, where every Chinese character costs two
// bytes. So each word is written as its number in one of two word lists (the
// activities of 宜 and 忌, the gods of 吉神 and 凶神), most frequent first,
// one character for the first 89, two for the rest: about 24 KB in all. A
// row's four lists are separated by spaces, the rows of a month by "!".
// The rows must come in the tables' order (months from 寅, days from 甲子),
// which the page relies on instead of keys; a table out of order, or a word
// list too long for the code, stops the build.
//
// usage: node almanac-data.mjs <almanac-days.tsv> <almanac-texts.tsv> <almanac-data.js out>

import fs from 'node:fs';
import path from 'node:path';
import { fileURLToPath } from 'node:url';

const gan = '甲乙丙丁戊己庚辛壬癸';
const zhi = '子丑寅卯辰巳午未申酉戌亥';
export const cycleNames = Array.from({ length: 60 }, (_, i) => gan[i % 10] + zhi[i % 12]);
export const monthBranches = Array.from({ length: 12 }, (_, i) => zhi[(i + 2) % 12]);

// The code's characters: printable ASCII without the quote, the backslash,
// "<" (the page is HTML) and the two separators.
export const almanacCode = Array.from({ length: 0x7f - 0x23 }, (_, i) => String.fromCharCode(0x23 + i))
  .filter((ch) => ch !== '\\' && ch !== '<').join('');
const single = almanacCode.length - 1;
const escape = almanacCode[single];

function dataRows(tsv, header) {
  const lines = tsv.split(/\r?\n/).filter((line) => line !== '' && !line.startsWith('#'));
  if (lines[0] !== header) throw new Error(`heading "${lines[0]}" instead of "${header}"`);
  return lines.slice(1).map((line) => line.split('\t'));
}

function wordList(rows, columns) {
  const count = new Map();
  for (const row of rows) for (const c of columns) for (const w of row[c].split(' ')) count.set(w, (count.get(w) || 0) + 1);
  const words = [...count.keys()].sort((a, b) => count.get(b) - count.get(a) || (a < b ? -1 : 1));
  if (words.length > single + almanacCode.length) throw new Error('too many words for the code');
  if (words.some((w) => w === '' || w.includes(' '))) throw new Error('an empty word');
  return words;
}

function encode(list, words) {
  return list.split(' ').map((w) => {
    const i = words.indexOf(w);
    return i < single ? almanacCode[i] : escape + almanacCode[i - single];
  }).join('');
}

const textKeys = {
  nayin: cycleNames, taishen: cycleNames, pengzu_gan: [...gan], pengzu_zhi: [...zhi],
  xiu: Array.from({ length: 28 }, (_, i) => String(i)),
};

export function almanacDataScript(daysTsv, textsTsv) {
  const days = dataRows(daysTsv, 'month_branch\tday_ganzhi\tyi\tji\tjishen\txiongsha');
  days.forEach((row, i) => {
    if (row.length !== 6 || row[0] !== monthBranches[Math.floor(i / 60)] || row[1] !== cycleNames[i % 60]) {
      throw new Error(`almanac-days row ${i + 1} is not ${monthBranches[Math.floor(i / 60)]} ${cycleNames[i % 60]}`);
    }
  });
  if (days.length !== 720) throw new Error('almanac-days has not 720 rows');
  const acts = wordList(days, [2, 3]);
  const gods = wordList(days, [4, 5]);
  const months = monthBranches.map((_, m) => days.slice(m * 60, m * 60 + 60).map((row) =>
    [encode(row[2], acts), encode(row[3], acts), encode(row[4], gods), encode(row[5], gods)].join(' ')).join('!'));

  const texts = dataRows(textsTsv, 'kind\tkey\ttext');
  const tables = {};
  for (const [kind, keys] of Object.entries(textKeys)) {
    const rows = texts.filter((row) => row[0] === kind);
    if (rows.length !== keys.length || rows.some((row, i) => row.length !== 3 || row[1] !== keys[i] || /[|"\\]/.test(row[2]))) {
      throw new Error(`almanac-texts: the ${kind} rows are not ${keys.length} in order`);
    }
    tables[kind] = rows.map((row) => row[2]).join('|');
  }
  if (texts.some((row) => !(row[0] in textKeys))) throw new Error('almanac-texts: an unknown kind');

  const q = JSON.stringify;
  return '// Made at build time from data/almanac-days.tsv and data/almanac-texts.tsv:\n' +
    '// edit those files, not this one (resources/almanac-data.mjs says how it is coded).\n' +
    `var almanacCode = ${q(almanacCode)};\n` +
    `var almanacActs = ${q(acts.join(' '))}.split(' ');\n` +
    `var almanacGods = ${q(gods.join(' '))}.split(' ');\n` +
    'var almanacMonths = [\n' + months.map((m) => q(m)).join(',\n') + '];\n' +
    `var naYinText = ${q(tables.nayin)}.split('|');\n` +
    `var taiShenText = ${q(tables.taishen)}.split('|');\n` +
    `var pengZuGan = ${q(tables.pengzu_gan)}.split('|');\n` +
    `var pengZuZhi = ${q(tables.pengzu_zhi)}.split('|');\n` +
    `var xiuText = ${q(tables.xiu)}.split('|');\n`;
}

if (process.argv[1] && path.resolve(process.argv[1]) === fileURLToPath(import.meta.url)) {
  const [days, texts, target] = process.argv.slice(2);
  fs.mkdirSync(path.dirname(target), { recursive: true });
  fs.writeFileSync(target, almanacDataScript(fs.readFileSync(days, 'utf8'), fs.readFileSync(texts, 'utf8')));
}
