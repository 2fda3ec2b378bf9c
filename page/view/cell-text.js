// What the month grid shows, without the page's elements: the heading text,
// the colour of a cell's day number, its holiday badge and its lower line. drawCld writes these
// as markup; kestrun-cal prints the same records in a terminal.

// A piece of text, its colour (a colour name, or '' for the cell's own) and
// whether it is bold.
function cellText(text, color, bold) {
   this.text = text;
   this.color = color;
   this.bold = bold;
}

// Colour of the Saturday column in grid row `row`. conWeekend 4 alternates by
// grid row (rows 0, 2, 4 green, rows 1, 3, 5 red), not by calendar week.
function weekendColor(row) {
   var color1, color2;
   if (conWeekend == 1) { color1 = 'black'; color2 = 'black'; }
   else if (conWeekend == 2) { color1 = 'green'; color2 = 'green'; }
   else if (conWeekend == 3) { color1 = 'red'; color2 = 'red'; }
   else { color1 = 'green'; color2 = 'red'; }
   return (row % 2 == 0) ? color1 : color2;
}

// Colour of the day numbers of grid cell n by its column: Sundays red,
// Saturdays by conWeekend, '' for the weekdays.
function columnColor(n) {
   if (n % 7 == 0) return 'red';
   if (n % 7 == 6) return weekendColor(Math.floor(n / 7));
   return '';
}

// The badge of official day h (a Holiday, or null): 休 for a day off, 班
// for a make-up working day; its colour is the badge's background.
function holidayMark(h) {
   if (h == null) return new cellText('', '', false);
   return (h.kind == 'off') ? new cellText('休', 'red', false) : new cellText('班', 'gray', false);
}

// Colour of the number of day cell n that official day h (a Holiday, or
// null) gives it while the badges are shown: a make-up working day reads as
// a working day, a weekday off as the weekend; '' keeps the designed colour.
function holidayColor(h, n) {
   if (h == null) return '';
   if (h.kind == 'work') return 'black';
   return (n % 7 == 0 || n % 7 == 6) ? '' : 'red';
}

// Year count of an era: its first year reads 元.
function eraYear(count) {
   return (count == 1) ? '元' : count;
}

// Era name and year of year y; '' before 1875. Four tests in this order, a
// later one winning: 1949 is both 民国38 and 建国元.
function eraText(y) {
   var s = '';
   if (y > 1874 && y < 1909) s = '光绪' + eraYear(y - 1874);
   if (y > 1908 && y < 1912) s = '宣统' + eraYear(y - 1908);
   if (y > 1911 && y < 1950) s = '民国' + eraYear(y - 1911);
   if (y > 1948) s = '建国' + eraYear(y - 1948);
   return s;
}

// The heading of year y after its era text: the sexagenary name and animal
// of the year number, the same in all twelve months. 1900 is 庚子, number 36
// of the cycle: the same anchor as the month model's year pillar, which must
// name the same year.
function yearHeading(era, y) {
   return era + '年 农历 ' + cyclical(y - 1900 + 36) + '年 【' + Animals[(y - 4) % 12] + '年】';
}

// Bold opening of a lunar month: 闰 for a leap month, 小 for 29 days, 大 for 30.
function lunarMonthLine(r) {
   var days = r.isLeap ? leapDays(r.lYear) : monthDays(r.lYear, r.lMonth);
   return new cellText((r.isLeap ? '闰' : '') + r.lMonth + '月' + (days == 29 ? '小' : '大'), '', true);
}

// Lunar date of the lower line.
function lunarDayLine(r) {
   if (r.lDay == 1) return lunarMonthLine(r);
   return new cellText(cDay(r.lDay), '', false);
}

// Festival or term of the lower line, empty text when the day has none: a
// lunar festival first, then a Gregorian one, then the term; 清明, 芒种, 夏至
// and 冬至 always show in red.
function festivalLine(r) {
   var s = '', color = '', size;
   if (r.lunarFestival.length > 0) {
      s = r.lunarFestival;
      if (s.length > 6) s = s.substr(0, 4) + '...';
      color = 'red';
   }
   else if (r.solarFestival.length > 0) {
      // A text that starts with an ASCII character (the Easter text's space)
      // is narrower, so more of it fits.
      size = (r.solarFestival.charCodeAt(0) > 0 && r.solarFestival.charCodeAt(0) < 128) ? 8 : 4;
      s = r.solarFestival;
      if (s.length > size + 2) s = s.substr(0, size) + '...';
      color = (s == '黑色星期五') ? 'black' : 'blue';
   }
   else if (r.solarTerms.length > 0) {
      s = r.solarTerms;
      color = 'limegreen';
   }
   if (r.solarTerms == '清明') { s = '清明节'; color = 'red'; }
   if (r.solarTerms == '芒种' || r.solarTerms == '夏至' || r.solarTerms == '冬至') { s = r.solarTerms; color = 'red'; }
   return new cellText(s, color, false);
}

// The lower line of day record r: its festival or term when it has one,
// else its lunar date.
function lowerLine(r) {
   var line = festivalLine(r);
   return (line.text.length > 0) ? line : lunarDayLine(r);
}
