// Years of days as an iCalendar file (RFC 5545) that a calendar program can
// import or subscribe to: one all-day event per solar term, per festival row
// of the three tables, per break of official days off (over all its days)
// and per make-up working day; with --lunar, one per day for its lunar date
// (and its 宜 and 忌).
// What the month model adds by a rule of its own rather than from a table
// (Easter, the birthday label, Friday the 13th) is left out. Each UID is
// made of the first date and what the event is, so importing the file again
// updates the events instead of adding them twice.

var dayLength = 86400000;

// One all-day event from the UTC date of time value t, for one day.
function icsEvent(t, key, summary, category) {
   this.date = new Date(t);
   this.end = new Date(t + dayLength);
   this.uid = icsDate(this.date) + '-' + key + '@kestrun-cal';
   this.summary = summary;
   this.category = category;
   this.description = '';
}

// The event of the solar term of day record r, with the instant it begins
// (Beijing time); all that it tells of the term is made here.
function termEvent(r) {
   var e = new icsEvent(Date.UTC(r.sYear, r.sMonth - 1, r.sDay), 'term', r.solarTerms, '节气');
   e.description = '交节 ' + sTermText(r.sYear, termIndex(r)) + '（北京时间）';
   return e;
}

// yyyymmdd of the UTC date of time value t.
function icsDate(t) {
   return t.getUTCFullYear() + twoDigits(t.getUTCMonth() + 1) + twoDigits(t.getUTCDate());
}

// Month m of year y built with only the festival rows of tables (the rows
// for sFtv, wFtv and lFtv), so that where a row lands is decided by the month
// model itself. The page's tables are put back whatever happens.
function modelWith(y, m, tables) {
   var keep = [sFtv, wFtv, lFtv];
   sFtv = tables[0]; wFtv = tables[1]; lFtv = tables[2];
   try { return new calendar(y, m); }
   finally { sFtv = keep[0]; wFtv = keep[1]; lFtv = keep[2]; }
}

// All festival texts of day record r; a row's text comes first, before
// those the model adds without rows (Easter, the label, Friday the 13th).
function festivalsOf(r) {
   return r.lunarFestival + r.solarFestival;
}

// Events of the rows of festival table t (0 sFtv, 1 wFtv, 2 lFtv) in month m
// of year y: one on each day where a row alone adds its text to what the day
// holds without any row (bare).
function rowEvents(y, m, bare, t, key) {
   var rows = [sFtv, wFtv, lFtv][t], events = [], tables, model, added, i, d;
   for (i = 0; i < rows.length; i++) {
      tables = [[], [], []];
      tables[t] = [rows[i]];
      model = modelWith(y, m, tables);
      for (d = 0; d < model.length; d++) {
         added = festivalsOf(model[d]).length - festivalsOf(bare[d]).length;
         if (added > 0) events.push(new icsEvent(Date.UTC(y, m, d + 1), key + '-' + i,
            festivalsOf(model[d]).substr(0, added).replace(/\s+$/, ''), '节日'));
      }
   }
   return events;
}

// Names of the two kinds of official day, for summaries and categories.
var holidayKinds = { off: ['休', '放假'], work: ['班', '调休上班'] };

function holidayAt(t) {
   var d = new Date(t);
   return holidayOf(d.getUTCFullYear(), d.getUTCMonth(), d.getUTCDate());
}

// Whether the day at time value t is a day off of the same holiday as h.
function sameBreak(h, t) {
   var g = holidayAt(t);
   return g != null && g.kind == 'off' && h.kind == 'off' && g.name == h.name;
}

// The official days of the years from to last: a break as one event over
// all its days, also where it reaches past those years; a make-up working
// day as one event. The UID leaves the kind out, so that a corrected table
// replaces the day's event.
function holidayEvents(from, last) {
   var events = [], start = Date.UTC(from, 0, 1), t, first, end, h, e;
   for (t = start; t < Date.UTC(last + 1, 0, 1); t += dayLength) {
      h = holidayAt(t);
      if (!h || (t > start && sameBreak(h, t - dayLength))) continue;
      for (first = t; sameBreak(h, first - dayLength); first -= dayLength);
      for (end = t; sameBreak(h, end + dayLength); end += dayLength);
      e = new icsEvent(first, 'holiday', h.name + '（' + holidayKinds[h.kind][0] + '）', holidayKinds[h.kind][1]);
      e.end = new Date(end + dayLength);
      events.push(e);
   }
   return events;
}

// The lunar date of day record r as a title, as 闰六月初一 or 冬月廿九.
function lunarTitle(r) {
   return (r.isLeap ? '闰' : '') + lunarMonthNames[r.lMonth - 1] + '月' + cDay(r.lDay);
}

// A short, stable key of text s for a UID (the djb2 string hash in hex; the
// UID only has to stay the same for the same day of the file).
function textKey(s) {
   var h = 5381, i;
   for (i = 0; i < s.length; i++) h = (h * 33 + s.charCodeAt(i)) % 4294967296;
   return h.toString(16);
}

// The event of own date r (one of ownDatesBetween's): titled with the count
// where the first year is known, the lunar date and the note in the
// description. The UID is made of the date and the day's kind, date and
// name, so it stays when lines are added or moved.
function ownEvent(r) {
   var o = r.own, e = new icsEvent(r.t, 'own-' + textKey(o.kind + ' ' + ownDateText(o) + ' ' + o.name), ownTitle(r), '纪念日');
   e.description = (o.kind == 'lunar' ? ownLunarText(o) : '公历' + o.month + '月' + o.day + '日') + (o.note ? '；' + o.note : '');
   return e;
}

// The event of the lunar date of day d of month m of year y (record r),
// with the day's 宜 and 忌 in its description.
function lunarEvent(y, m, d, r) {
   var e = new icsEvent(Date.UTC(y, m, d), 'lunar', lunarTitle(r), '农历'), a = dayAlmanac(y, m, d);
   if (a) e.description = '宜：' + a.yi.join(' ') + '\n忌：' + a.ji.join(' ');
   return e;
}

// The dates of the user's own days in Gregorian year y, in date order (file
// order on one day), as ownDatesBetween finds them, but kept in typed arrays:
// a days.tsv near its size limit has some 75,000 of them a year, which as
// objects would take several megabytes for the whole year's export.
function OwnYear(y) {
   var days = ownDayList.days, start = Date.UTC(y, 0, 1), end = Date.UTC(y + 1, 0, 1), n = 0, i, k, t;
   var times = new Float64Array(2 * days.length), which = new Int32Array(2 * days.length);
   for (i = 0; i < days.length; i++)
      for (k = -1; k <= 0; k++) {  // a lunar day of lunar year y - 1 can fall in January or February
         t = ownDayIn(days[i], y + k);
         if (t != null && t >= start && t < end) { times[n] = t; which[n++] = 2 * i - k; }
      }
   this.order = Int32Array.from({ length: n }, function (_, x) { return x; }).sort(function (a, b) {
      return times[a] - times[b] || which[a] - which[b];
   });
   this.year = y;
   this.times = times;
   this.which = which;
   this.length = n;
}

// The time value of the n-th date.
OwnYear.prototype.t = function (n) { return this.times[this.order[n]]; };

// The n-th date as an OwnDate.
OwnYear.prototype.date = function (n) {
   var w = this.which[this.order[n]], i = w >> 1;
   return new OwnDate(this.times[this.order[n]], ownDayList.days[i], (w & 1) ? this.year - 1 : this.year);
};

// The events of month m of year y from its month models; with lunar, its
// lunar dates too.
function monthEvents(y, m, lunar) {
   var events = [], bare = modelWith(y, m, [[], [], []]), d;
   for (d = 0; d < bare.length; d++) {
      if (bare[d].solarTerms.length > 0) events.push(termEvent(bare[d]));
      if (lunar) events.push(lunarEvent(y, m, d + 1, bare[d]));
   }
   return events.concat(rowEvents(y, m, bare, 0, 'sftv'), rowEvents(y, m, bare, 1, 'wftv'),
                        rowEvents(y, m, bare, 2, 'lftv'));
}

// Calls each(events) for every month of year y of an export that begins
// with year from, with the month's events in date order (on one day: the
// term, the lunar date, the festivals in table order, the user's own days,
// the official day); stops when each returns false. The own days' dates are
// found once for the year, but their events are made a month at a time: a
// large days.tsv makes tens of thousands of them a year. A break that reaches
// into year y from the year before is that year's event, unless y is the
// first year. Returns false when each did.
function eachMonthOfEvents(y, from, lunar, each) {
   var own = new OwnYear(y), i = 0, j = 0, m, end, events;
   var holidays = holidayEvents(y, y).filter(function (e) { return y == from || e.date >= Date.UTC(y, 0, 1); });
   for (m = 0; m < 12; m++) {
      events = monthEvents(y, m, lunar);
      for (end = Date.UTC(y, m + 1, 1); i < own.length && own.t(i) < end; i++) events.push(ownEvent(own.date(i)));
      for (; j < holidays.length && holidays[j].date < end; j++) events.push(holidays[j]);
      if (!each(events.sort(function (a, b) { return a.date - b.date; }))) return false;
   }
   return true;
}

// The events of the years from to last in date order.
function rangeEvents(from, last, lunar) {
   var events = [], y;
   for (y = from; y <= last; y++)
      eachMonthOfEvents(y, from, lunar, function (month) { events = events.concat(month); return true; });
   return events;
}

// A TEXT value with backslash, semicolon, comma and line breaks escaped.
function icsEscape(s) {
   if (!/[\\;,\n]/.test(s)) return s;
   return s.replace(/[\\;,]/g, '\\$&').replace(/\r?\n/g, '\\n');
}

function utf8Length(code) {
   return (code < 0x80) ? 1 : (code < 0x800) ? 2 : (code >= 0xd800 && code < 0xdc00) ? 4 :
      (code >= 0xdc00 && code < 0xe000) ? 0 : 3;
}

// A content line folded after at most 75 octets, never inside a UTF-8
// sequence or a surrogate pair, with CR LF and one space before each
// continuation. Cut in slices rather than joined a character at a time,
// which left the engine a string piece per character to collect.
function icsFold(line) {
   var out = '', start = 0, octets = 0, i, n;
   if (line.length <= 25) return line + '\r\n';  // three octets at most a unit
   for (i = 0; i < line.length; i++) {
      n = utf8Length(line.charCodeAt(i));
      if (octets + n > 75) { out += line.substring(start, i) + '\r\n '; start = i; octets = 1; }
      octets += n;
   }
   return out + line.substring(start) + '\r\n';
}

// The lines of event e, stamped with stamp, as one text: built directly,
// since a large days.tsv makes tens of thousands of events a year.
function icsEventText(e, stamp) {
   return 'BEGIN:VEVENT\r\n' + icsFold('UID:' + e.uid) + 'DTSTAMP:' + stamp + '\r\n' +
      'DTSTART;VALUE=DATE:' + icsDate(e.date) + '\r\nDTEND;VALUE=DATE:' + icsDate(e.end) + '\r\n' +
      icsFold('SUMMARY:' + icsEscape(e.summary)) + (e.description ? icsFold('DESCRIPTION:' + icsEscape(e.description)) : '') +
      icsFold('CATEGORIES:' + icsEscape(e.category)) + 'TRANSP:TRANSPARENT\r\nEND:VEVENT\r\n';
}

// Text handed on to the writer in pieces of about this many characters.
var icsPiece = 65536;

// Writes the file of the years from to last (with lunar, their lunar dates
// too), stamped with the time value now, to write: a function that takes the
// next piece of text and returns false once it could not be written. The
// events are made a month at a time and written as they come, so a large
// days.tsv over two centuries never has to be held at once. Named, and
// asking a subscribed copy to be fetched again daily, so that corrections to
// the holiday data reach it. Returns false when a write failed.
function icsWrite(from, last, lunar, now, write) {
   var t = new Date(now), text, y;
   var stamp = icsDate(t) + 'T' + twoDigits(t.getUTCHours()) + twoDigits(t.getUTCMinutes()) +
      twoDigits(t.getUTCSeconds()) + 'Z';
   var name = 'Kestrun 节气、节日与放假安排' + (lunar ? '（含农历）' : '');
   text = ['BEGIN:VCALENDAR', 'VERSION:2.0', 'PRODID:-//Kestrun//kestrun-cal//ZH', 'CALSCALE:GREGORIAN',
      'NAME:' + icsEscape(name), 'X-WR-CALNAME:' + icsEscape(name),
      'REFRESH-INTERVAL;VALUE=DURATION:P1D', 'X-PUBLISHED-TTL:P1D'].map(icsFold).join('');
   function writeEvents(events) {
      for (var i = 0; i < events.length; i++) {
         text += icsEventText(events[i], stamp);
         if (text.length < icsPiece) continue;
         if (!write(text)) return false;
         text = '';
      }
      return true;
   }
   for (y = from; y <= last; y++)
      if (!eachMonthOfEvents(y, from, lunar, writeEvents)) return false;
   return write(text + icsFold('END:VCALENDAR'));
}

// The whole file as one text (see icsWrite).
function icsText(from, last, lunar, now) {
   var pieces = [];
   icsWrite(from, last, lunar, now, function (text) { pieces.push(text); return true; });
   return pieces.join('');
}
