// The user's own days (days.tsv): birthdays, anniversaries and memorial days
// kept by the lunar or by the Gregorian calendar, and the Gregorian day each
// falls on in a given year.
//
// File text: one day a line, tab-separated: the kind ("lunar" or "solar"),
// the date (MM-DD, or LMM-DD for a lunar leap month; with the first year in
// front where it is known: 1956-03-05, 2020-L04-01), the name, and an
// optional note. Empty lines and lines that start with "#" are skipped. A bad
// line is named and left out; the others still apply.
//
// Where a day falls: a lunar 30th in a 29-day month falls on the month's last
// day; a leap-month date falls on the leap month when the year has it and on
// the ordinary month otherwise; an ordinary-month date never moves into a
// leap month; 29 February falls on 28 February in a common year.

// One own day: line is its line in the file (counted from 1), text the line
// as written; firstYear is 0 when not given.
function OwnDay(kind, firstYear, month, day, leap, name, note, line, text) {
   this.kind = kind;
   this.firstYear = firstYear;
   this.month = month;
   this.day = day;
   this.leap = leap;
   this.name = name;
   this.note = note;
   this.line = line;
   this.text = text;
}

// Why a line is left out, for standard error.
var ownDayReasons = {
   fields: 'not three or four fields separated by tabs',
   kind: 'unknown kind (lunar or solar)',
   date: 'malformed date (MM-DD, LMM-DD, or with the first year: yyyy-MM-DD)',
   day: 'no such day',
   utf8: 'not UTF-8 text'
};

// A parsed file: the days in file order, and the lines left out as
// { line, reason }.
function OwnDayList() {
   this.days = [];
   this.bad = [];
}

// The own day of line `text` (line n of the file), or the reason it is bad.
function ownDayOfLine(text, n) {
   var f = text.split('\t'), p, leap, month, day;
   if (f.length < 3 || f.length > 4 || f[2].replace(/^ +| +$/g, '') == '') return 'fields';
   if (f[0] != 'lunar' && f[0] != 'solar') return 'kind';
   p = /^(?:(\d{4})-)?(L?)(\d{2})-(\d{2})$/.exec(f[1]);
   if (!p || (p[2] && f[0] == 'solar') || (p[1] && Number(p[1]) > 2100)) return 'date';
   leap = p[2] == 'L'; month = Number(p[3]); day = Number(p[4]);
   if (month < 1 || month > 12 || day < 1 || day > (f[0] == 'lunar' ? 30 : solarDays(2000, month - 1))) return 'day';
   return new OwnDay(f[0], p[1] ? Number(p[1]) : 0, month, day, leap, f[2].replace(/^ +| +$/g, ''),
                     (f[3] || '').replace(/^ +| +$/g, ''), n, text);
}

// The file's text; notUtf8: the numbers of the lines that were not UTF-8,
// which the reader gives as empty lines.
function parseOwnDays(text, notUtf8) {
   var list = new OwnDayList(), lines = text.replace(/^\uFEFF/, '').split('\n'), i, line, r;
   for (i = 0; i < lines.length; i++) {
      line = lines[i].replace(/\r$/, '');
      if (notUtf8 && notUtf8.indexOf(i + 1) >= 0) list.bad.push({ line: i + 1, reason: 'utf8' });
      if (line.replace(/ +$/, '') == '' || line.charAt(0) == '#') continue;
      r = ownDayOfLine(line, i + 1);
      if (typeof r == 'string') list.bad.push({ line: i + 1, reason: r });
      else list.days.push(r);
   }
   return list;
}

// UTC time value of day D of lunar month M of lunar year L (the leap month M
// when leap), a 30th of a 29-day month taken as its last day; null outside
// the table.
function lunarDate(L, M, D, leap) {
   var t, i, lm = leapMonth(L);
   if (L < 1900 || L > 2100) return null;
   t = lunarYearStart(L);
   for (i = 1; i < M; i++) t += monthDays(L, i) * 86400000;
   if (lm > 0 && lm < M) t += leapDays(L) * 86400000;
   if (leap) t += monthDays(L, M) * 86400000;
   return t + (Math.min(D, leap ? leapDays(L) : monthDays(L, M)) - 1) * 86400000;
}

// UTC time value of the first day of lunar year L (1900-2100). The starts
// are summed once and kept: a days.tsv of tens of thousands of lines asks
// for them for every line and year.
var lunarYearStarts = [Date.UTC(1900, 0, 31)];
function lunarYearStart(L) {
   while (lunarYearStarts.length <= L - 1900)
      lunarYearStarts.push(lunarYearStarts[lunarYearStarts.length - 1] + lYearDays(1899 + lunarYearStarts.length) * 86400000);
   return lunarYearStarts[L - 1900];
}

// UTC time value of own day o in year y (the lunar year for a lunar day),
// or null outside 1900-2100.
function ownDayIn(o, y) {
   if (o.kind == 'lunar') return lunarDate(y, o.month, o.day, o.leap && leapMonth(y) == o.month);
   if (y < 1900 || y > 2100) return null;
   return Date.UTC(y, o.month - 1, Math.min(o.day, solarDays(y, o.month - 1)));
}

// One day an own day falls on: its UTC time value, the day, and the count of
// years since the first year (0 when that is not known).
function OwnDate(t, o, y) {
   this.t = t;
   this.own = o;
   this.count = o.firstYear ? y - o.firstYear : 0;
}

// The days of `days` that fall from time value `from` to before `to`, in
// date order (file order on one day). A lunar day of lunar year y - 1 can
// fall in January or February of Gregorian year y.
function ownDatesBetween(days, from, to) {
   var found = [], y0 = new Date(from).getUTCFullYear(), y1 = new Date(to).getUTCFullYear(), i, y, t;
   for (i = 0; i < days.length; i++)
      for (y = y0 - 1; y <= y1; y++) {
         t = ownDayIn(days[i], y);
         if (t != null && t >= from && t < to) found.push(new OwnDate(t, days[i], y));
      }
   return found.sort(function (a, b) { return a.t - b.t || a.own.line - b.own.line; });
}

// The title of own date r: its name, with the count where the first year is
// known: "妈妈70岁生日", "结婚第12个纪念日", else "name（第N年）".
function ownTitle(r) {
   var name = r.own.name;
   if (r.count < 1) return name;
   if (/生日$/.test(name)) return name.replace(/生日$/, '') + r.count + '岁生日';
   if (/纪念日$/.test(name)) return name.replace(/纪念日$/, '') + '第' + r.count + '个纪念日';
   return name + '（第' + r.count + '年）';
}

// The date as the file writes it: "03-05", "L04-01", "1956-03-05".
function ownDateText(o) {
   return (o.firstYear ? o.firstYear + '-' : '') + (o.leap ? 'L' : '') + twoDigitText(o.month) + '-' + twoDigitText(o.day);
}

function twoDigitText(n) {
   return (n < 10 ? '0' : '') + n;
}

// The own days in effect (the page and kestrun-cal load them from days.tsv).
var ownDayList = new OwnDayList();

// The own dates of month m (0 = January) of year y, by day of the month:
// an array per day that has any.
function ownDatesIn(y, m) {
   var found = ownDatesBetween(ownDayList.days, Date.UTC(y, m, 1), Date.UTC(y, m + 1, 1)), byDay = {}, i, d;
   for (i = 0; i < found.length; i++) {
      d = new Date(found[i].t).getUTCDate();
      (byDay[d] = byDay[d] || []).push(found[i]);
   }
   return byDay;
}

// The lunar months by their common names, 正月 to 腊月.
var lunarMonthNames = ['正', '二', '三', '四', '五', '六', '七', '八', '九', '十', '冬', '腊'];

// The lunar date of own day o in words: "农历三月初五", "农历闰四月初一".
function ownLunarText(o) {
   return '农历' + (o.leap ? '闰' : '') + lunarMonthNames[o.month - 1] + '月' + cDay(o.day);
}
