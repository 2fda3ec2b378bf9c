// The month grid: 42 day cells (6 rows of 7, Sunday first) under a heading
// with the era year, the sexagenary year and the zodiac animal.

var monthName = new Array("JAN","FEB","MAR","APR","MAY","JUN","JUL","AUG","SEP","OCT","NOV","DEC");

var cld;          // month model of the month on display
var yDisplay = ''; // era name and year of the year on display

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

// Markup of day cell n (row n div 7, column n mod 7), written while the page
// is parsed; drawCld fills SDn and LDn later.
function gridCell(n) {
   var col = n % 7, color = '';
   if (col == 0) color = ' color=red';
   if (col == 6) color = ' color=' + weekendColor(Math.floor(n / 7));
   return '<TD id=GD' + n + ' onMouseOver="mOvr(' + n + ')" onMouseOut="mOut()">' +
      '<FONT id=SD' + n + ' size=5 face="Arial Black"' + color + ' TITLE=""> </FONT><BR>' +
      '<FONT id=LD' + n + ' size=2 style="font-size:9pt"> </FONT></TD>';
}

// Year count of an era: its first year reads 元.
function eraYear(count) {
   return (count == 1) ? '元' : count;
}

// Bold opening of a lunar month: 闰 for a leap month, 小 for 29 days, 大 for 30.
function lunarMonthText(r) {
   var days = r.isLeap ? leapDays(r.lYear) : monthDays(r.lYear, r.lMonth);
   return '<b>' + (r.isLeap ? '闰' : '') + r.lMonth + '月' + (days == 29 ? '小' : '大') + '</b>';
}

// Lunar date of the lower line. Days before the lunar table (January 1900,
// lunar month 0) have no lunar date to show.
function lunarDayText(r) {
   if (r.lMonth == 0) return '';
   if (r.lDay == 1) return lunarMonthText(r);
   return cDay(r.lDay);
}

// Festival or term of the lower line, empty when the day has none: a lunar
// festival first, then a Gregorian one, then the term; 清明, 芒种, 夏至 and
// 冬至 always show in red.
function festivalText(r) {
   var s = '', size;
   if (r.lunarFestival.length > 0) {
      s = r.lunarFestival;
      if (s.length > 6) s = s.substr(0, 4) + '...';
      s = s.fontcolor('red');
   }
   else if (r.solarFestival.length > 0) {
      // A text that starts with an ASCII character (the Easter text's space)
      // is narrower, so more of it fits.
      size = (r.solarFestival.charCodeAt(0) > 0 && r.solarFestival.charCodeAt(0) < 128) ? 8 : 4;
      s = r.solarFestival;
      if (s.length > size + 2) s = s.substr(0, size) + '...';
      s = (s == '黑色星期五') ? s.fontcolor('black') : s.fontcolor('blue');
   }
   else if (r.solarTerms.length > 0) {
      s = r.solarTerms.fontcolor('limegreen');
   }
   if (r.solarTerms == '清明') s = '清明节'.fontcolor('red');
   if (r.solarTerms == '芒种' || r.solarTerms == '夏至' || r.solarTerms == '冬至') s = r.solarTerms.fontcolor('red');
   return s;
}

// Draws month SM (0 = January) of year SY into the grid.
function drawCld(SY,SM) {
   var i, sD, s, sObj, lObj;
   cld = new calendar(SY, SM);

   // Four tests in this order, a later one winning: 1949 is both 民国38 and 建国元.
   if (SY > 1874 && SY < 1909) yDisplay = '光绪' + eraYear(SY - 1874);
   if (SY > 1908 && SY < 1912) yDisplay = '宣统' + eraYear(SY - 1908);
   if (SY > 1911 && SY < 1950) yDisplay = '民国' + eraYear(SY - 1911);
   if (SY > 1948) yDisplay = '建国' + eraYear(SY - 1948);

   // 1900 is 庚子, number 36 of the cycle: the same anchor as the month
   // model's year pillar, which must name the same year.
   GZ.innerHTML = yDisplay + '年 农历 ' + cyclical(SY - 1900 + 36) + '年 【' + Animals[(SY - 4) % 12] + '年】';
   YMBG.innerHTML = '&nbsp;' + SY + '<BR>&nbsp;' + monthName[SM];

   for (i = 0; i < 42; i++) {
      sObj = eval('SD' + i);
      lObj = eval('LD' + i);
      sObj.className = '';
      sD = i - cld.firstWeek;
      if (sD > -1 && sD < cld.length) {
         sObj.innerHTML = sD + 1;
         if (cld[sD].isToday) sObj.className = 'todyaColor';
         sObj.style.color = cld[sD].color;
         s = festivalText(cld[sD]);
         lObj.innerHTML = (s.length > 0) ? s : lunarDayText(cld[sD]);
      }
      else {
         sObj.innerHTML = '';
         lObj.innerHTML = '';
      }
   }
}
