// kestrun-cal's command line: which form was asked for, and what it prints.
// The program calls calMain with its arguments and whether standard output
// is a terminal, and prints what comes back.

var calHelp = [
   '用法：',
   '  kestrun-cal                  本月',
   '  kestrun-cal 年 月            某年某月（年 1900-2100，月 1-12）',
   '  kestrun-cal [-y] 年          全年，每行三个月',
   '  kestrun-cal -y               今年全年',
   '  kestrun-cal --ics [年]       全年的节气、节日与放假调休，iCalendar 格式',
   '  kestrun-cal --help           本说明',
   '选项：',
   '  --color=auto|always|never    颜色：auto（默认）仅在终端上显示'
].join('\n') + '\n';

// What a command line asks for: form 'month', 'year', 'ics' or 'help', the
// year y, the month m (0 = January), the colour choice, or error, a text.
function calRequest() {
   this.form = 'month';
   this.y = tY;
   this.m = tM;
   this.color = 'auto';
   this.error = '';
}

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
   else if (a == '--help' || a == '-h') request.form = 'help';
   else if (a == '-y') request.form = 'year';
   else if (a == '--ics') request.form = 'ics';
   else if (/^-./.test(a)) request.error = '不认识的选项：' + a;
   else rest.push(a);
}

function calArgs(args) {
   var request = new calRequest(), rest = [], i;
   for (i = 0; i < args.length && !request.error; i++) calOption(request, args[i], rest);
   if (request.error || request.form == 'help') return request;
   // A year alone, like -y with it, asks for the whole year.
   if (request.form == 'month' && rest.length == 1) request.form = 'year';
   if (rest.length > (request.form == 'month' ? 2 : 1)) {
      request.error = '多余的参数：' + rest.join(' ');
      return request;
   }
   if (rest.length > 0) request.y = numberArg(request, rest[0], '年份', 1900, 2100);
   if (rest.length > 1 && !request.error) request.m = numberArg(request, rest[1], '月份', 1, 12) - 1;
   return request;
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

// args: the command line after the program name; tty: whether standard
// output is a terminal; ownText and ownPath: the user's holiday table.
function calMain(args, tty, ownText, ownPath) {
   var request = calArgs(args), colors, warning;
   if (request.error) return new calOutput(2, '', 'kestrun-cal: ' + request.error + '（用法见 kestrun-cal --help）\n');
   if (request.form == 'help') return new calOutput(0, calHelp, '');
   warning = calHolidays(ownText, ownPath) + calTodayNote(args);
   colors = request.color == 'always' || (request.color == 'auto' && tty);
   if (request.form == 'year') return new calOutput(0, yearText(request.y, colors), warning);
   if (request.form == 'ics') return new calOutput(0, icsText(request.y, Date.now()), warning);
   return new calOutput(0, monthText(request.y, request.m, colors), warning);
}

// Without a year the load date decides what is printed; when the clock is
// outside 1900-2100 that is the nearest month or year of the range, and
// standard error says so.
function calTodayNote(args) {
   for (var i = 0; i < args.length; i++)
      if (/^[0-9]/.test(args[i])) return '';
   return todayNote == '' ? '' : 'kestrun-cal: ' + todayNote + '\n';
}
