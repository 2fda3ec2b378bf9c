// Official holidays of mainland China: the days off and the make-up working
// days of each year's arrangement, from the table shipped with the program,
// with the years of the user's own table in place of the shipped ones.
//
// Table text: one day a line, "date<TAB>holiday<TAB>kind", the date written
// yyyy-mm-dd and the kind "off" or "work"; empty lines, lines that start with
// "#" and the heading line "date<TAB>holiday<TAB>kind" are skipped. A day
// belongs to the arrangement of its own year, except the December days of
// 元旦, which lead up to the next year's New Year's Day and belong to that
// year's arrangement.

// One official day: the holiday's name and 'off' or 'work'.
function Holiday(name, kind) {
   this.name = name;
   this.kind = kind;
}

// A parsed table: its days by date number yyyymmdd, the arrangement year of
// each day, and the years it holds. A refused text leaves the table empty
// and names the first bad line (counted from 1) and why it is bad.
function HolidayTable() {
   this.days = {};
   this.yearOf = {};
   this.years = {};
   this.line = 0;
   this.reason = '';
}

// Why a line is refused, for messages.
var holidayReasons = {
   fields: 'not three fields separated by tabs',
   date: 'malformed date (yyyy-mm-dd)',
   day: 'no such day in its year',
   range: 'year outside 1900-2100',
   kind: 'unknown kind (off or work)',
   twice: 'date given twice'
};

var holidayTable = new HolidayTable();   // the days in effect

function holidayKey(y, m, d) {
   return y * 10000 + (m + 1) * 100 + d;
}

function holidayYearOf(y, m, name) {
   return (m == 11 && name.indexOf('元旦') >= 0) ? y + 1 : y;
}

// Adds one line to the table; the reason when it is bad, else ''.
function addHolidayLine(table, line) {
   var f, p, y, m, d, key;
   if (line == '' || line.charAt(0) == '#' || line == 'date\tholiday\tkind') return '';
   f = line.split('\t');
   if (f.length != 3) return 'fields';
   f[1] = f[1].replace(/^ +| +$/g, '');
   f[2] = f[2].replace(/^ +| +$/g, '');
   if (f[1] == '') return 'fields';
   p = /^ *(\d{4})-(\d{2})-(\d{2}) *$/.exec(f[0]);
   if (!p) return 'date';
   y = Number(p[1]); m = Number(p[2]) - 1; d = Number(p[3]);
   if (y < 1900 || y > 2100) return 'range';
   if (m < 0 || m > 11 || d < 1 || d > solarDays(y, m)) return 'day';
   if (f[2] != 'off' && f[2] != 'work') return 'kind';
   key = holidayKey(y, m, d);
   if (table.days[key]) return 'twice';
   table.days[key] = new Holiday(f[1], f[2]);
   table.yearOf[key] = holidayYearOf(y, m, f[1]);
   table.years[table.yearOf[key]] = true;
   return '';
}

// Parses a table text. A text with a bad line is refused as a whole.
function parseHolidays(text) {
   var table = new HolidayTable(), lines, i, reason;
   lines = text.replace(/^\uFEFF/, '').split('\n');
   for (i = 0; i < lines.length; i++) {
      reason = addHolidayLine(table, lines[i].replace(/[\r ]+$/, ''));
      if (reason != '') {
         table = new HolidayTable();
         table.line = i + 1;
         table.reason = reason;
         return table;
      }
   }
   return table;
}

// "line n: why", for a refused table.
function holidayProblem(table) {
   return 'line ' + table.line + ': ' + holidayReasons[table.reason];
}

// The days of `shipped` outside the years that `own` holds, and all of `own`.
function mergeHolidays(shipped, own) {
   var table = new HolidayTable(), key, from = [shipped, own], i;
   for (i = 0; i < 2; i++) {
      for (key in from[i].days) {
         if (i == 0 && own.years[shipped.yearOf[key]]) continue;
         table.days[key] = from[i].days[key];
         table.yearOf[key] = from[i].yearOf[key];
         table.years[table.yearOf[key]] = true;
      }
   }
   return table;
}

// Puts the shipped table in effect, with the years of the user's own table
// text in its place when that text is given and sound. Returns the user's
// parsed table (its reason set when refused), or null without one.
function loadHolidays(shippedText, ownText) {
   var own;
   holidayTable = parseHolidays(shippedText);
   if (ownText == undefined) return null;
   own = parseHolidays(ownText);
   if (own.reason == '') holidayTable = mergeHolidays(holidayTable, own);
   return own;
}

// The official day of year y, month m (0 = January), day d, or null.
function holidayOf(y, m, d) {
   return holidayTable.days[holidayKey(y, m, d)] || null;
}

// Whether the data holds year y's arrangement.
function holidayCovered(y) {
   return holidayTable.years[y] == true;
}

// Whether year y comes after the first year of the data and its arrangement
// is not there: a year whose arrangement should be added.
function holidayMissing(y) {
   var year;
   if (holidayCovered(y)) return false;
   for (year in holidayTable.years) if (Number(year) < y) return true;
   return false;
}
