// Official holidays in the calendar: a badge at the top corner of each day
// off (休, red) and make-up working day (班, grey), a line in the day pop-up,
// and beside the grid a notice for a year missing from the data and one for
// a holidays.tsv that was refused. The user can hide the badges, the pop-up
// line and the missing-year notice; the choice is kept in the cookie "HOL"
// like the zone, shown unless it reads "0".

var holidayFile = '~/.local/share/kestrun/holidays.tsv';  // the user's table
var holidayRefusal = '';   // notice line when the user's table was refused
var showHolidays = true;

// The host hands the page the user's table before the script runs, as
// userHolidays = { file, text } or { file, error } when it could not be read,
// or { file } when there is none.
function readUserHolidays(own) {
   var table;
   if (own != null) holidayFile = own.file;
   if (own == null || own.text == undefined) {
      loadHolidays(holidayData);
      if (own != null && own.error != undefined)
         return '无法读取 ' + own.file + '（' + own.error + '），仍用内置放假安排';
      return '';
   }
   table = loadHolidays(holidayData, own.text);
   if (table.reason == '') return '';
   tellHost(own.file + ': ' + holidayProblem(table) + '; the shipped holiday data is used');
   return own.file + ' 第' + table.line + '行有误（' + holidayReasonText[table.reason] + '），未采用，仍用内置放假安排';
}

var holidayReasonText = {
   fields: '应为以 Tab 分隔的三栏',
   date: '日期应写作 yyyy-mm-dd',
   day: '该年没有这一天',
   range: '年份不在 1900-2100 之内',
   kind: '类型应为 off 或 work',
   twice: '日期重复'
};

// The host prints what the page cannot: a refused table goes to standard error.
function tellHost(text) {
   if (window.webkit && window.webkit.messageHandlers && window.webkit.messageHandlers.holidayProblem)
      window.webkit.messageHandlers.holidayProblem.postMessage(text);
}

// Badge backgrounds behind the white 休 and 班: dark enough for small text
// (4.5:1 and more).
var badgeBack = { red: '#c00000', gray: '#666666' };

// Gives grid cell n its badge element, once, after the grid is written:
// beside the day number, so that it never covers a digit.
function addHolidayBadge(n) {
   eval('SD' + n).insertAdjacentHTML('afterEnd', '<SPAN id=HD' + n + ' class=holidayBadge></SPAN>');
}

// Start-up: the table in effect and the user's choice from the cookie.
function startHolidays() {
   useHolidays();
   showHolidays = getCookie('HOL') != '0';
   HB.checked = showHolidays;
}

// The shipped table, with the user's table that the host handed over.
function useHolidays() {
   holidayRefusal = readUserHolidays(typeof userHolidays == 'object' ? userHolidays : null);
}

// Keeps the choice, like the zone, for a year after the last run; written
// at every change and again at shut-down.
function saveHolidays() {
   setCookie('HOL', showHolidays ? 1 : 0);
}

// The check box: redraw the month with or without the holidays.
function chHolidays() {
   showHolidays = HB.checked;
   saveHolidays();
   changeCld();
}

// Badges and notices of month SM (0 = January) of year SY, after drawCld
// has filled the grid from cld.
function drawHolidays(SY, SM) {
   var n, d, h;
   for (n = 0; n < 42; n++) {
      d = n - cld.firstWeek + 1;
      h = (showHolidays && d > 0 && d <= cld.length) ? holidayOf(SY, SM, d) : null;
      holidayBadge(eval('HD' + n), h);
      if (holidayColor(h, n) != '') eval('SD' + n).style.color = holidayColor(h, n);
   }
   HN.innerText = (showHolidays && holidayMissing(SY)) ? SY + '年放假安排尚未收录，可写入 ' + holidayFile : '';
   HE.innerText = holidayRefusal;
}

function holidayBadge(badge, h) {
   var mark = holidayMark(h);
   badge.innerHTML = mark.text;
   badge.style.backgroundColor = badgeBack[mark.color] || '';
}

// An official day of record r in words: the holiday and 放假 or 调休上班;
// empty for other days. The pop-up and the day's name for a reader say it.
function holidayWords(r) {
   var h = showHolidays ? holidayOf(r.sYear, r.sMonth - 1, r.sDay) : null;
   if (h == null) return '';
   return h.name + (h.kind == 'off' ? ' 放假' : ' 调休上班');
}

// The pop-up's line for an official day of record r; empty for other days.
function holidayLine(r) {
   var s = holidayWords(r);
   if (s == '') return '';
   return '<DIV STYLE="font-size:9pt;color:#ffffff;text-align:right">' + htmlText(s) + '</DIV>';
}

// A holiday name from the user's table is text, not markup.
function htmlText(s) {
   return s.replace(/&/g, '&amp;').replace(/</g, '&lt;').replace(/>/g, '&gt;');
}
