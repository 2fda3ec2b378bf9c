// kestrun-cal's command line: which form was asked for, and what it prints.
// The program calls calMain with its arguments and what it knows of standard
// output, and prints what comes back.

// The help text; ownPath is the user's holiday table, daysPath the user's
// own days.
function calHelp(ownPath, daysPath) {
   return [
      '用法：',
      '  kestrun-cal                    本月',
      '  kestrun-cal [[月] 年]          某年某月（与 cal 同序）；只给年则为全年',
      '  kestrun-cal 年 月              也可年在前：大于 12 的数是年（1900-2100）',
      '  kestrun-cal -y [年]            全年（默认今年）',
      '  kestrun-cal -3 [[月] 年]       上月、本月与下月',
      '  kestrun-cal --ics [年|起-止]   iCalendar 文件：节气、节日与放假调休',
      '  kestrun-cal --day [年-月-日]   一天的详情与黄历（默认今天）',
      '  kestrun-cal --good 事项 [年|月 年|起-止]',
      '                                 宜该事项（且不忌）的日子（默认今年）；',
      '                                 不给事项则列出可查的事项',
      '  kestrun-cal --version          版本',
      '  kestrun-cal --help             本说明',
      '选项：',
      '  -m                             每周从星期一开始',
      '  -w                             每周前标出 ISO 8601 周数',
      '  --lunar                        与 --ics 同用：每天一个农历日期事件，',
      '                                 说明中列出当天的宜忌',
      '  --color=auto|always|never      颜色；auto（默认）只用于终端，',
      '                                 且未设 NO_COLOR、TERM 不是 dumb',
      '宽度：终端的宽度，不是终端时取 COLUMNS，再不然 80 列。',
      '自己的放假安排（每行“日期<TAB>假日<TAB>off|work”，所含年份取代自带数据）：',
      '  ' + ownPath,
      '自己的日子（每行“lunar|solar<TAB>[起始年-][L]月-日<TAB>名称[<TAB>备注]”，',
      '农历闰月写 L，如 L04-01；月历中以 * 标出，--ics 每年导出）：',
      '  ' + daysPath
   ].join('\n') + '\n';
}

// What a command line asks for: form 'month', 'three', 'year', 'ics', 'day',
// 'good', 'help' or 'version'; the year y, the month m (0 = January), the
// day d and, for a range of years, its last year (for --good of one month,
// lastM is that month, else -1); the activity of --good; the options; or
// error, a text.
function calRequest() {
   this.form = 'month';
   this.y = tY;
   this.m = tM;
   this.last = tY;
   this.d = tD;
   this.lastM = -1;
   this.activity = '';
   this.monday = false;
   this.weeks = false;
   this.lunar = false;
   this.color = 'auto';
   this.error = '';
}

var calForms = { '-y': 'year', '-3': 'three', '--ics': 'ics', '--day': 'day', '--good': 'good', '--help': 'help', '-h': 'help',
   '--version': 'version' };
var calFlags = { '-m': 'monday', '-w': 'weeks', '--lunar': 'lunar' };

// A year or month argument: its number when it is one from low to high,
// else the request gets its error.
function numberArg(request, text, what, low, high) {
   if (!/^[0-9]+$/.test(text)) request.error = what + '须为数字：' + text;
   else if (Number(text) < low || Number(text) > high) request.error = what + '须在 ' + low + ' 至 ' + high + ' 之间：' + text;
   return Number(text);
}

// One argument: an option sets the request, anything else goes to rest.
function calOption(request, a, rest) {
   var match = /^--color=(.*)$/.exec(a);
   if (match && /^(auto|always|never)$/.test(match[1])) request.color = match[1];
   else if (match) request.error = '颜色须为 auto、always 或 never：' + match[1];
   else if (calFlags[a]) request[calFlags[a]] = true;
   else if (calForms[a] && request.form != 'month' && request.form != calForms[a])
      request.error = '不能同时使用：' + a;
   else if (calForms[a]) request.form = calForms[a];
   else if (/^-./.test(a)) request.error = '不认识的选项：' + a;
   else rest.push(a);
}

// The years of --ics: one year, or FROM-TO.
function icsYears(request, text) {
   var range = /^([0-9]+)-([0-9]+)$/.exec(text);
   if (!range) {
      request.y = request.last = numberArg(request, text, '年份', 1900, 2100);
      return;
   }
   request.y = numberArg(request, range[1], '年份', 1900, 2100);
   if (!request.error) request.last = numberArg(request, range[2], '年份', 1900, 2100);
   if (!request.error && request.last < request.y) request.error = '起始年份晚于结束年份：' + text;
}

// The date of the other forms: [[month] year] as cal takes them, or year
// month; a number above 12 is a year, so either order is plain.
function dateArgs(request, rest) {
   var yearFirst = rest.length == 2 && /^[0-9]+$/.test(rest[0]) && Number(rest[0]) > 12;
   if (request.form == 'month' && rest.length == 1) request.form = 'year';
   if (rest.length == 0) return;
   request.y = numberArg(request, rest[yearFirst ? 0 : rest.length - 1], '年份', 1900, 2100);
   if (rest.length == 2 && !request.error) request.m = numberArg(request, rest[yearFirst ? 1 : 0], '月份', 1, 12) - 1;
}

// The date of --day: yyyy-mm-dd, a day from 1900 to 2100.
function dayArg(request, text) {
   var match = /^([0-9]{4})-([0-9]{1,2})-([0-9]{1,2})$/.exec(text), t;
   if (match) t = new Date(Date.UTC(Number(match[1]), Number(match[2]) - 1, Number(match[3])));
   if (!match || t.getUTCMonth() != Number(match[2]) - 1 || t.getUTCDate() != Number(match[3])) {
      request.error = '日期须为 年-月-日，如 2026-12-08：' + text;
      return;
   }
   request.y = numberArg(request, match[1], '年份', 1900, 2100);
   request.m = t.getUTCMonth();
   request.d = t.getUTCDate();
}

// The activity and the span of --good: this year, a year, years from-to,
// or a month of a year (in either order, as the month forms take them).
function goodArgs(request, rest) {
   request.activity = rest.length ? rest[0] : '';
   request.m = 0;
   request.lastM = 11;
   if (rest.length == 2) icsYears(request, rest[1]);
   if (rest.length != 3) return;
   dateArgs(request, rest.slice(1));
   request.last = request.y;
   request.lastM = request.m;
}

var mostArgs = { year: 1, ics: 1, day: 1, good: 3 };
var onlyMonths = { ics: '--ics', day: '--day', good: '--good' };

// The arguments: options first or among the others; "--" ends them, and
// what follows is taken as it stands.
function calArgs(args) {
   var request = new calRequest(), rest = [], most, i;
   for (i = 0; i < args.length && !request.error; i++) {
      if (args[i] == '--') { rest = rest.concat(args.slice(i + 1)); break; }
      calOption(request, args[i], rest);
   }
   if (request.error || request.form == 'help' || request.form == 'version') return request;
   most = mostArgs[request.form] || 2;
   if (rest.length > most) request.error = '多余的参数：' + rest.slice(most).join(' ');
   else if (request.lunar && request.form != 'ics') request.error = '--lunar 只与 --ics 同用';
   else if ((request.monday || request.weeks) && onlyMonths[request.form]) request.error = '-m 与 -w 不用于 ' + onlyMonths[request.form];
   else if (request.form == 'ics' && rest.length == 1) icsYears(request, rest[0]);
   else if (request.form == 'day' && rest.length == 1) dayArg(request, rest[0]);
   else if (request.form == 'good') goodArgs(request, rest);
   else dateArgs(request, rest);
   return request;
}

// Text s with its control characters (C0, DEL, C1, and the marks that turn
// the direction of text) written as \xHH or \uHHHH: an argument echoed in a
// message must not reach the terminal as an escape sequence.
function visibleText(s) {
   return s.replace(/[\x00-\x1f\x7f-\x9f\u200e\u200f\u202a-\u202e\u2066-\u2069]/g, function (c) {
      var code = c.charCodeAt(0);
      return code < 0x80 ? '\\x' + ('0' + code.toString(16)).slice(-2) : '\\u' + ('000' + code.toString(16)).slice(-4);
   });
}

// What the program prints: status, the text for standard output and the
// text for standard error.
function calOutput(status, out, err) {
   this.status = status;
   this.out = out;
   this.err = err;
}

// The holiday table in effect: the shipped one, with the years of the
// user's own table text ownText (null without one) in their place. Returns
// a warning line when the user's table is refused, else ''.
function calHolidays(ownText, ownPath) {
   var own = loadHolidays(holidayData, (ownText == null) ? undefined : ownText);
   if (own && own.reason) return 'kestrun-cal: ' + ownPath + ': ' + holidayProblem(own) + '; the shipped holiday data is used\n';
   return '';
}

// Colours for choice (auto, always or never) on standard output `out`:
// auto paints only a terminal, and not when NO_COLOR is set (to anything)
// or the terminal is dumb.
function useColors(choice, out) {
   if (choice != 'auto') return choice == 'always';
   return out.tty && !out.noColor && out.term != 'dumb';
}

// The years from y to last whose official arrangement the data lacks, runs
// of them written as from-to: "1900-1999、2027".
function missingYears(y, last) {
   var runs = [], start;
   for (; y <= last; y++) {
      if (holidayCovered(y)) continue;
      for (start = y; y < last && !holidayCovered(y + 1); y++);
      runs.push(start == y ? String(y) : start + '-' + y);
   }
   return runs.join('、');
}

// The user's own days in effect, from days.tsv's text (null without one)
// and the lines that were not UTF-8; a warning line for each line left out.
function calOwnDays(text, path, notUtf8) {
   var warning = '', i;
   ownDayList = parseOwnDays(text == null ? '' : text, notUtf8);
   for (i = 0; i < ownDayList.bad.length; i++)
      warning += 'kestrun-cal: ' + path + ': line ' + ownDayList.bad[i].line + ': ' +
         ownDayReasons[ownDayList.bad[i].reason] + '; the line is left out\n';
   return warning;
}

// The iCalendar file of the request, with a warning for the years whose
// official arrangement the data lacks. Given write (see icsWrite), the file
// goes to it as it is made; status 1 when writing failed.
function icsOutput(request, warning, ownPath, write) {
   var missing = missingYears(request.y, request.last);
   if (missing != '') warning += 'kestrun-cal: ' + missing + ' 年的放假安排尚未收录，只导出了节气与节日' +
      '（放假安排可写入 ' + ownPath + '）\n';
   if (!write) return new calOutput(0, icsText(request.y, request.last, request.lunar, Date.now()), warning);
   return new calOutput(icsWrite(request.y, request.last, request.lunar, Date.now(), write) ? 0 : 1, '', warning);
}

// args: the command line after the program name; out: what is known of
// standard output (tty: a terminal; width: its columns; noColor: NO_COLOR is
// set; term: TERM), the program's version and, optionally, write: a
// function that prints a piece of an iCalendar file at once; ownText and
// ownPath: the user's holiday table; days: the user's own days, { text, path }.
function calMain(args, out, ownText, ownPath, days) {
   var request = calArgs(args), layout, warning;
   if (request.error) return new calOutput(2, '', 'kestrun-cal: ' + visibleText(request.error) + '（用法见 kestrun-cal --help）\n');
   if (request.form == 'help') return new calOutput(0, calHelp(ownPath, days ? days.path : ''), '');
   if (request.form == 'version') return new calOutput(0, 'kestrun-cal ' + out.version + '\n', '');
   warning = calHolidays(ownText, ownPath) + (days ? calOwnDays(days.text, days.path, days.notUtf8) : '') + calTodayNote(args);
   if (request.form == 'ics') return icsOutput(request, warning, ownPath, out.write);
   layout = new calLayout(out.width, request.monday, request.weeks, useColors(request.color, out));
   if (request.form == 'day') return new calOutput(0, dayCard(request.y, request.m, request.d, layout), warning);
   if (request.form == 'good') return goodOutput(request, layout, warning);
   if (request.form == 'year') return new calOutput(0, yearText(request.y, layout), warning);
   if (request.form == 'three') return new calOutput(0, threeText(request.y, request.m, layout), warning);
   return new calOutput(0, monthText(request.y, request.m, layout), warning);
}

// The days of --good; without an activity, the activities it knows (on
// standard output, for the shell's completion too); an unknown one gets
// them on standard error and status 2.
function goodOutput(request, layout, warning) {
   var known = knownActivities(), width = Math.min(layout.width, 80), span, days;
   if (request.activity == '') return new calOutput(0, wrapWords(known, width).join('\n') + '\n', warning);
   if (known.indexOf(request.activity) < 0)
      return new calOutput(2, '', 'kestrun-cal: 不认识的事项：' + request.activity + '。可查的事项：\n' +
         wrapWords(known, width).join('\n') + '\n');
   days = goodDays(request.activity, request.y * 12 + request.m, request.last * 12 + request.lastM, layout);
   span = request.y + '年' + (request.lastM == request.m && request.last == request.y ? (request.m + 1) + '月' :
      request.last == request.y ? '' : '至' + request.last + '年');
   if (days.length == 0) warning += 'kestrun-cal: ' + span + '没有宜' + request.activity + '的日子\n';
   return new calOutput(0, days.length ? days.join('\n') + '\n' : '', warning);
}

// Without a year the load date decides what is printed; when the clock is
// outside 1900-2100 that is the nearest month or year of the range, and
// standard error says so.
function calTodayNote(args) {
   for (var i = 0; i < args.length; i++)
      if (/^[0-9]/.test(args[i])) return '';
   return todayNote == '' ? '' : 'kestrun-cal: ' + todayNote + '\n';
}
