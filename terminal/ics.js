// A year's days as an iCalendar file (RFC 5545): one all-day event per solar
// term, per festival row of the three tables and per official day off or
// make-up working day of the holiday table. What the month model adds by a
// rule of its own rather than from a table (Easter, the birthday label,
// Friday the 13th) is left out. Each UID is made of the date and what the
// event is, so importing the file again updates the events instead of
// adding them twice.

// One all-day event on y, m (0 = January), d.
function icsEvent(y, m, d, key, summary, category) {
   this.date = new Date(Date.UTC(y, m, d));
   this.uid = icsDate(this.date) + '-' + key + '@kestrun-cal';
   this.summary = summary;
   this.category = category;
   this.description = '';
}

function twoDigits(n) {
   return (n < 10 ? '0' : '') + n;
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
         if (added > 0) events.push(new icsEvent(y, m, d + 1, key + '-' + i,
            festivalsOf(model[d]).substr(0, added).replace(/\s+$/, ''), '节日'));
      }
   }
   return events;
}

// The solar term of day record r, with the instant it begins.
function termEvent(r) {
   var e = new icsEvent(r.sYear, r.sMonth - 1, r.sDay, 'term', r.solarTerms, '节气');
   e.description = '交节 ' + sTermText(r.sYear, termIndex(r)) + '（北京时间）';
   return e;
}

// Names of the two kinds of official day, for summaries and categories.
var holidayKinds = { off: ['休', '放假'], work: ['班', '调休上班'] };

// The official day of y, m, d as an event, or null. The UID leaves the kind
// out, so that a corrected table replaces the day's event.
function holidayEvent(y, m, d) {
   var h = holidayOf(y, m, d);
   if (!h) return null;
   return new icsEvent(y, m, d, 'holiday', h.name + '（' + holidayKinds[h.kind][0] + '）', holidayKinds[h.kind][1]);
}

// The events of year y in date order (on one day: the term, the official
// day, then the festivals in table order).
function yearEvents(y) {
   var events = [], m, d, bare, h;
   for (m = 0; m < 12; m++) {
      bare = modelWith(y, m, [[], [], []]);
      for (d = 0; d < bare.length; d++) {
         if (bare[d].solarTerms.length > 0) events.push(termEvent(bare[d]));
         h = holidayEvent(y, m, d + 1);
         if (h) events.push(h);
      }
      events = events.concat(rowEvents(y, m, bare, 0, 'sftv'), rowEvents(y, m, bare, 1, 'wftv'),
                             rowEvents(y, m, bare, 2, 'lftv'));
   }
   return events.sort(function (a, b) { return a.date - b.date; });
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
      'DTEND;VALUE=DATE:' + icsDate(new Date(e.date.getTime() + 86400000)),
      'SUMMARY:' + icsEscape(e.summary), 'CATEGORIES:' + icsEscape(e.category)]
      .concat(e.description ? ['DESCRIPTION:' + icsEscape(e.description)] : [], ['TRANSP:TRANSPARENT', 'END:VEVENT']);
}

// The file of year y, stamped with the time value now.
function icsText(y, now) {
   var t = new Date(now), events = yearEvents(y), lines, i;
   var stamp = icsDate(t) + 'T' + twoDigits(t.getUTCHours()) + twoDigits(t.getUTCMinutes()) +
      twoDigits(t.getUTCSeconds()) + 'Z';
   lines = ['BEGIN:VCALENDAR', 'VERSION:2.0', 'PRODID:-//Kestrun//kestrun-cal//ZH', 'CALSCALE:GREGORIAN'];
   for (i = 0; i < events.length; i++) lines = lines.concat(icsLines(events[i], stamp));
   lines.push('END:VCALENDAR');
   return lines.map(icsFold).join('');
}
