// The user's own days in the calendar: a mark at the top-left corner of each
// day that has one, a line in the day pop-up, the names in the screen
// reader's name of the cell, a notice for lines of days.tsv left out, and
// under the grid a countdown to the next official holiday and the next day
// of one's own. A double-click on a day, or Enter on the marked day, asks
// the host for its dialog to add, change or remove the days there.

var ownDayFile = '~/.local/share/kestrun/days.tsv';
var ownDayNotice = '';   // the lines left out, or why the file cannot be read

// The host hands the page the file before the script runs, as userDays =
// { file, text } (with notUtf8, the lines left out for not being UTF-8) or
// { file, error } when it could not be read, or { file } when there is
// none; and again through setUserDays when it changes.
function readUserDays(own) {
   var bad, i;
   ownDayList = parseOwnDays('');
   if (own == null) return '';
   ownDayFile = own.file;
   if (own.error != undefined) return '无法读取 ' + own.file + '（' + own.error + '），未显示自己的日子';
   if (own.text == undefined) return '';
   ownDayList = parseOwnDays(own.text, own.notUtf8);
   for (i = 0, bad = []; i < ownDayList.bad.length; i++) {
      tellHost(own.file + ': line ' + ownDayList.bad[i].line + ': ' + ownDayReasons[ownDayList.bad[i].reason] +
               '; the line is left out');
      bad.push(ownDayList.bad[i].line);
   }
   return bad.length ? own.file + ' 第' + bad.join('、') + '行有误，已略过' : '';
}

function useOwnDays() {
   ownDayNotice = readUserDays(typeof userDays == 'object' ? userDays : null);
}

// The host's word that days.tsv changed: the month is drawn again with it.
function setUserDays(own) {
   userDays = own;
   useOwnDays();
   if (cld != undefined) changeCld();
}

// Gives grid cell n its mark element and its double-click, once, after the
// grid is written.
function addOwnMark(n) {
   var cell = eval('GD' + n);
   cell.style.position = 'relative';   // the mark's corner is the cell's
   cell.insertAdjacentHTML('afterBegin', '<SPAN id=OM' + n + ' class=ownMark></SPAN>');
   cell.ondblclick = function () { editOwnDays(n - cld.firstWeek + 1); };
}

var ownShown = {};   // the own dates of the month drawn, by day

// Marks, notice and countdown of month SM (0 = January) of year SY.
function drawOwnDays(SY, SM) {
   var n, d;
   ownShown = ownDatesIn(SY, SM);
   for (n = 0; n < 42; n++) {
      d = n - cld.firstWeek + 1;
      eval('OM' + n).innerHTML = (d > 0 && d <= cld.length && ownShown[d]) ? '★' : '';
   }
   OE.innerText = ownDayNotice;
   CD.innerText = countdownText();
}

// The titles of the own dates of day record r of the month drawn, joined by "、".
function ownTitles(r) {
   var found = ownShown[r.sDay] || [], names = [], i;
   for (i = 0; i < found.length; i++) names.push(ownTitle(found[i]));
   return names.join('、');
}

// The pop-up's lines for the own dates of record r of the month drawn: the
// title, and the note.
function ownLine(r) {
   var found = ownShown[r.sDay] || [], s = '', i, o;
   for (i = 0; i < found.length; i++) {
      o = found[i].own;
      s += '<DIV STYLE="font-size:9pt;color:#ffff99;text-align:right">★ ' + htmlText(ownTitle(found[i])) +
         (o.note ? '<BR>' + htmlText(o.note) : '') + '</DIV>';
   }
   return s;
}

// Days from today to time value t (a UTC midnight).
function daysFromToday(t) {
   return Math.round((t - Date.UTC(tY, tM, tD)) / 86400000);
}

// The first day after today of the next break of official days off, or null.
function nextHoliday() {
   var today = holidayKey(tY, tM, tD), best = null, key, y, m, d;
   for (key in holidayTable.days) {
      key = Number(key);
      if (key <= today || holidayTable.days[key].kind != 'off' || (best && key >= best)) continue;
      y = Math.floor(key / 10000); m = Math.floor(key / 100) % 100 - 1; d = key % 100;
      if (holidayOf(y, m, d - 1) == null || holidayOf(y, m, d - 1).kind != 'off') best = key;
   }
   return best;
}

// "距春节还有 N 天 · 距妈妈生日还有 M 天": the next break and the next own
// day, whichever there are. None with the clock outside 1900-2100: the
// calendar then has no today to count from (the notice under the grid says
// so), and counting from its first or last day would mislead.
function countdownText() {
   var parts = [], key = showHolidays ? nextHoliday() : null, t = Date.UTC(tY, tM, tD), own;
   if (todayNote != '') return '';
   if (key) parts.push('距' + holidayTable.days[key].name + '还有 ' +
      daysFromToday(Date.UTC(Math.floor(key / 10000), Math.floor(key / 100) % 100 - 1, key % 100)) + ' 天');
   own = ownDatesBetween(ownDayList.days, t, t + 400 * 86400000)[0];
   if (own) parts.push(daysFromToday(own.t) == 0 ? '今天是' + ownTitle(own) :
      '距' + ownTitle(own) + '还有 ' + daysFromToday(own.t) + ' 天');
   return parts.join(' · ');
}

// Asks the host to open its dialog for day d of the month shown: the date,
// its lunar date, and the own days on it with their lines in the file and
// their own dates in words.
function editOwnDays(d) {
   var r = cld[d - 1], found = ownShown[d] || [], entries = [], i, o;
   if (!r || !window.webkit || !window.webkit.messageHandlers || !window.webkit.messageHandlers.editDays) return;
   for (i = 0; i < found.length; i++) {
      o = found[i].own;
      entries.push({ line: o.line, text: o.text, title: ownTitle(found[i]),
                     date: o.kind == 'lunar' ? ownLunarText(o) : o.month + '月' + o.day + '日' });
   }
   window.webkit.messageHandlers.editDays.postMessage(JSON.stringify({
      year: r.sYear, month: r.sMonth, day: r.sDay,
      lunar: (r.isLeap ? 'L' : '') + twoDigitText(r.lMonth) + '-' + twoDigitText(r.lDay),
      lunarText: '农历' + (r.isLeap ? '闰' : '') + lunarMonthNames[r.lMonth - 1] + '月' + cDay(r.lDay),
      entries: entries
   }));
}
