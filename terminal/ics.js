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

// The events of the user's own days in year y: titled with the count where
// the first year is known, the lunar date and the note in the description.
// The UID is made of the date and the day's kind, date and name, so it
// stays when lines are added or moved.
function ownEvents(y) {
   var found = ownDatesBetween(ownDayList.days, Date.UTC(y, 0, 1), Date.UTC(y + 1, 0, 1)), events = [], i, o, e;
   for (i = 0; i < found.length; i++) {
      o = found[i].own;
      e = new icsEvent(found[i].t, 'own-' + textKey(o.kind + ' ' + ownDateText(o) + ' ' + o.name), ownTitle(found[i]), '纪念日');
      e.description = (o.kind == 'lunar' ? ownLunarText(o) : '公历' + o.month + '月' + o.day + '日') + (o.note ? '；' + o.note : '');
      events.push(e);
   }
   return events;
}

// The event of the lunar date of day d of month m of year y (record r),
// with the day's 宜 and 忌 in its description.
function lunarEvent(y, m, d, r) {
   var e = new icsEvent(Date.UTC(y, m, d), 'lunar', lunarTitle(r), '农历'), a = dayAlmanac(y, m, d);
   if (a) e.description = '宜：' + a.yi.join(' ') + '\n忌：' + a.ji.join(' ');
   return e;
}

// The events of year y; with lunar, its lunar dates too.
function yearEvents(y, lunar) {
   var events = [], m, d, bare;
   for (m = 0; m < 12; m++) {
      bare = modelWith(y, m, [[], [], []]);
      for (d = 0; d < bare.length; d++) {
         if (bare[d].solarTerms.length > 0) events.push(termEvent(bare[d]));
         if (lunar) events.push(lunarEvent(y, m, d + 1, bare[d]));
      }
      events = events.concat(rowEvents(y, m, bare, 0, 'sftv'), rowEvents(y, m, bare, 1, 'wftv'),
                             rowEvents(y, m, bare, 2, 'lftv'));
   }
   return events;
}

// The events of the years from to last in date order (on one day: the
// term, the lunar date, the festivals in table order, the official day).
function rangeEvents(from, last, lunar) {
   var events = [], y;
   for (y = from; y <= last; y++) events = events.concat(yearEvents(y, lunar), ownEvents(y));
   return events.concat(holidayEvents(from, last)).sort(function (a, b) { return a.date - b.date; });
}

// A TEXT value with backslash, semicolon, comma and line breaks escaped.
function icsEscape(s) {
   return s.replace(/[\\;,]/g, '\\$&').replace(/\r?\n/g, '\\n');
}

function utf8Length(code) {
   return (code < 0x80) ? 1 : (code < 0x800) ? 2 : (code >= 0xd800 && code < 0xdc00) ? 4 :
      (code >= 0xdc00 && code < 0xe000) ? 0 : 3;
}

// A content line folded after at most 75 octets, never inside a UTF-8
// sequence or a surrogate pair, with CR LF and one space before each
// continuation.
function icsFold(line) {
   var out = '', octets = 0, i, n;
   for (i = 0; i < line.length; i++) {
      n = utf8Length(line.charCodeAt(i));
      if (octets + n > 75) { out += '\r\n '; octets = 1; }
      out += line.charAt(i);
      octets += n;
   }
   return out + '\r\n';
}

function icsLines(e, stamp) {
   return ['BEGIN:VEVENT', 'UID:' + e.uid, 'DTSTAMP:' + stamp,
      'DTSTART;VALUE=DATE:' + icsDate(e.date),
      'DTEND;VALUE=DATE:' + icsDate(e.end), 'SUMMARY:' + icsEscape(e.summary)].concat(
      e.description ? ['DESCRIPTION:' + icsEscape(e.description)] : [],
      ['CATEGORIES:' + icsEscape(e.category), 'TRANSP:TRANSPARENT', 'END:VEVENT']);
}

// The file of the years from to last (with lunar, their lunar dates too),
// stamped with the time value now. Named, and asking a subscribed copy to
// be fetched again daily, so that corrections to the holiday data reach it.
function icsText(from, last, lunar, now) {
   var t = new Date(now), events = rangeEvents(from, last, lunar), lines, i;
   var stamp = icsDate(t) + 'T' + twoDigits(t.getUTCHours()) + twoDigits(t.getUTCMinutes()) +
      twoDigits(t.getUTCSeconds()) + 'Z';
   var name = 'Kestrun 节气、节日与放假安排' + (lunar ? '（含农历）' : '');
   lines = ['BEGIN:VCALENDAR', 'VERSION:2.0', 'PRODID:-//Kestrun//kestrun-cal//ZH', 'CALSCALE:GREGORIAN',
      'NAME:' + icsEscape(name), 'X-WR-CALNAME:' + icsEscape(name),
      'REFRESH-INTERVAL;VALUE=DURATION:P1D', 'X-PUBLISHED-TTL:P1D'];
   for (i = 0; i < events.length; i++) lines.push.apply(lines, icsLines(events[i], stamp));
   lines.push('END:VCALENDAR');
   return lines.map(icsFold).join('');
}
