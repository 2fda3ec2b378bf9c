// One day as a card (--day) and the days suited to an activity (--good):
// the month model's record of the day with its almanac (dayAlmanac).

// Labels stand in a column this wide; their texts follow, wrapped under
// one another.
var cardLabel = 10;

// The lunar year and date of day record r: "农历丙午年冬月十九".
function lunarDateText(r) {
   return '农历' + cyclical(r.lYear - 1900 + 36) + '年' + lunarTitle(r);
}

// words joined by spaces in lines of at most width columns (a word wider
// than that is cut).
function wrapWords(words, width) {
   var lines = [], line = '', i;
   for (i = 0; i < words.length; i++) {
      if (line != '' && textWidth(line + ' ' + words[i]) <= width) { line += ' ' + words[i]; continue; }
      if (line != '') lines.push(line);
      line = cutText(words[i], width);
   }
   return lines.concat(line == '' ? [] : [line]);
}

// A labelled line of the card: the label in its column (painted with sgr),
// the words wrapped under one another beside it, within width columns.
// Control characters (from the user's own files) are left out: they would
// steer the terminal.
function cardLines(label, words, sgr, layout) {
   var room = Math.max(layout.width - cardLabel, 8), out = [], lines, i;
   lines = wrapWords(words.map(function (w) { return w.replace(/[\x00-\x1f\x7f-\x9f]/g, ''); }), room);
   for (i = 0; i < lines.length; i++)
      out.push((i == 0 ? paint(label, sgr, layout.colors) + spaces(cardLabel - textWidth(label)) : spaces(cardLabel)) + lines[i]);
   return out;
}

// The texts of day record r that the grid shows beside its lunar date:
// the term with its Beijing time, the festivals, the official day and the
// user's own days (own: its own dates, or none).
function cardFacts(r, own, layout) {
   var lines = [], h = holidayOf(r.sYear, r.sMonth - 1, r.sDay), festivals, i, o;
   if (r.solarTerms != '')
      lines = lines.concat(cardLines('节气', [r.solarTerms, sTermText(r.sYear, termIndex(r)).substr(11) + '（北京时间）'], ttyColors.green, layout));
   festivals = (r.lunarFestival + ' ' + r.solarFestival).replace(/^\s+|\s+$/g, '');
   if (festivals != '') lines = lines.concat(cardLines('节日', festivals.split(/\s+/), ttyColors.blue, layout));
   if (h) lines = lines.concat(cardLines('放假', [h.name, holidayKinds[h.kind][1]], ttyBadges[h.kind == 'off' ? 'red' : 'gray'], layout));
   for (i = 0; own && i < own.length; i++) {
      o = own[i];
      lines = lines.concat(cardLines('纪念', [ownTitle(o)].concat(o.own.note ? o.own.note.split(' ') : []), ttyColors.purple, layout));
   }
   return lines;
}

// The almanac's lines of the day (a); none outside its range.
function almanacLines(a, layout) {
   if (a == null) return [];
   return [].concat(cardLines('宜', a.yi, '97;42', layout), cardLines('忌', a.ji, '97;41', layout),
      cardLines('冲煞', [a.chongSha], '', layout),
      cardLines('值神', [a.tianShen + (a.huangDao ? '（黄道）' : '（黑道）')], a.huangDao ? ttyColors.green : '', layout),
      cardLines('建除', [a.jianChu], '', layout), cardLines('二十八宿', [a.xiu], '', layout),
      cardLines('彭祖百忌', a.pengZu.split(' '), '', layout), cardLines('纳音', [a.naYin], '', layout),
      cardLines('胎神', a.taiShen.split(' '), '', layout),
      cardLines('吉神宜趋', a.jiShen, '', layout), cardLines('凶神宜忌', a.xiongSha, '', layout));
}

// The card of day d of month m (0 = January) of year y, at most 80 columns
// wide like a month, every line cut to the layout's width.
function dayCard(y, m, d, layout) {
   var r = new calendar(y, m)[d - 1], card = new calLayout(Math.min(layout.width, 80), false, false, layout.colors);
   var lines = [paint(y + '年' + (m + 1) + '月' + d + '日 星期' + r.week, ttyBold, layout.colors),
      lunarDateText(r) + ' 【' + Animals[(r.lYear - 4) % 12] + '年】',
      r.cYear + '年 ' + r.cMonth + '月 ' + r.cDay + '日'];
   lines = lines.concat(cardFacts(r, ownDatesIn(y, m)[d], card), almanacLines(dayAlmanac(y, m, d), card));
   return trimEnds(lines.map(function (l) { return cutShown(l, card.width); }));
}

// A printed line cut to width columns, its colour codes kept whole.
function cutShown(line, width) {
   var plain = line.replace(/\x1b\[[0-9;]*m/g, '');
   return (textWidth(plain) <= width) ? line : cutText(plain, width);
}

// The activities that some day's 宜 names, most frequent first. The lists
// also say "nothing" (无), "nothing is suitable" (诸事不宜) and "nothing
// else" (馀事勿取): no activity to look for.
var notActivities = ['无', '诸事不宜', '馀事勿取'];
var goodActs = null;
function knownActivities() {
   var seen = {}, i, k, j, words;
   if (goodActs) return goodActs;
   for (i = 0; i < 12; i++)
      for (k = 0; k < 60; k++) {
         words = almanacWords(almanacRow(i, k)[0], almanacActs);
         for (j = 0; j < words.length; j++) seen[words[j]] = true;
      }
   goodActs = almanacActs.filter(function (w) { return seen[w] && notActivities.indexOf(w) < 0; });
   return goodActs;
}

// One day of --good: ISO date, weekday, lunar date, 值神 (黄道 or 黑道) and
// 建除, in columns.
function goodLine(r, a, layout) {
   var lunar = lunarTitle(r), god = a.tianShen + (a.huangDao ? ' 黄道' : ' 黑道');
   return r.sYear + '-' + twoDigits(r.sMonth) + '-' + twoDigits(r.sDay) + '  星期' + r.week + '  ' +
      lunar + spaces(10 - textWidth(lunar)) + '  ' + paint(god, a.huangDao ? ttyColors.green : '', layout.colors) + '  ' + a.jianChu;
}

// The days of the months first to last (counted as y * 12 + m) whose 宜
// names activity and whose 忌 does not, one line each.
function goodDays(activity, first, last, layout) {
   var out = [], n, y, m, cld, d, a;
   for (n = first; n <= last; n++) {
      y = Math.floor(n / 12); m = n % 12; cld = new calendar(y, m);
      for (d = 1; d <= cld.length; d++) {
         a = dayAlmanac(y, m, d);
         if (a != null && a.yi.indexOf(activity) >= 0 && a.ji.indexOf(activity) < 0)
            out.push(cutShown(goodLine(cld[d - 1], a, layout), layout.width));
      }
   }
   return out;
}
