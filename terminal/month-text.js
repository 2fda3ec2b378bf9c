// Months as terminal lines, laid out like the grid: a heading, the weekday
// names, then per week a line of day numbers over a line of lower-line texts,
// every cell centred in one width so the columns line up. Months stand side
// by side as far as the terminal's width allows, and every text is cut to
// its cell, so that no line wraps.

// The grid's colours as terminal graphic renditions, chosen to read on dark
// and light backgrounds alike: the festivals' blue is the bright one, the
// terms' lime green the plain green. Black is the page's text colour on
// white, so here it is the terminal's own text colour; today's aqua
// background is cyan, under black unless the day has a colour.
var ttyColors = { red: '31', blue: '94', green: '32', limegreen: '32', black: '39', purple: '35' };
var ttyBold = '1';
var ttyToday = '46';
var ttyBadges = { red: '97;41', gray: '97;100' };  // white on the badge's colour

// The narrowest cell: a two-digit day and its badge.
var leastCell = 4;

// How months are laid out: within width columns, weeks from Monday or from
// Sunday, with or without ISO week numbers, in colour or not.
function calLayout(width, monday, weeks, colors) {
   this.width = width;
   this.monday = monday;
   this.weeks = weeks;
   this.colors = colors;
}

// text wrapped in the rendition sgr, or as it is without colours or sgr.
function paint(text, sgr, colors) {
   if (!colors || sgr.length == 0) return text;
   return '\x1b[' + sgr + 'm' + text + '\x1b[0m';
}

function textSgr(t) {
   if (t.bold) return ttyBold;
   return (t.color.length > 0) ? ttyColors[t.color] : '';
}

function numberSgr(t, today) {
   if (!today) return textSgr(t);
   return ((t.color.length > 0 && t.color != 'black') ? ttyColors[t.color] : '30') + ';' + ttyToday;
}

// The browser drops the spaces at either end of a line, so the terminal does too.
function shownText(t) {
   return new cellText(t.text.replace(/^\s+|\s+$/g, ''), t.color, t.bold);
}

// One day cell of grid cell n (its column colour): its number (coloured as
// the grid colours it), holiday badge and lower line; a day of the user's
// own (own: its dates that day, or none) shows the first one's title
// instead, marked with "*".
function dayCell(r, n, own) {
   this.number = new cellText(String(r.sDay), r.color || columnColor(n), false);
   this.badge = holidayMark(holidayOf(r.sYear, r.sMonth - 1, r.sDay));
   this.line = own ? new cellText('*' + ownTitle(own[0]), 'purple', false) : shownText(lowerLine(r));
   this.isToday = r.isToday;
}

// The ISO 8601 week number of the week that starts on Monday y, m, d (d may
// run outside the month): the week of its Thursday's year.
function isoWeek(y, m, d) {
   var thursday = new Date(Date.UTC(y, m, d + 3));
   return Math.floor((thursday - Date.UTC(thursday.getUTCFullYear(), 0, 1)) / 86400000 / 7) + 1;
}

// One row of a month: seven cells (null where a cell holds no day) and the
// ISO week of the row's Monday.
function calWeek(number) {
   this.days = [];
   this.number = number;
}

// The rows of month m (0 = January) of year y that hold a day, from Sunday
// or, with monday, from Monday. A cell keeps the colour of its weekday's
// column in the grid's row.
function monthWeeks(y, m, monday) {
   var model = new calendar(y, m), shift = monday ? 1 : 0, first = (model.firstWeek + 7 - shift) % 7;
   var own = ownDatesIn(y, m), weeks = [], n, d, day;
   for (n = 0; n < 42; n++) {
      d = n - first;
      if (n % 7 == 0) {
         if (d >= model.length) break;
         weeks.push(new calWeek(isoWeek(y, m, d + 2 - shift)));
      }
      day = (n % 7 + shift) % 7;
      weeks[weeks.length - 1].days.push((d >= 0 && d < model.length) ?
         new dayCell(model[d], n - n % 7 + day, own[d + 1]) : null);
   }
   return weeks;
}

// The cell width that shows every lower line of these weeks whole.
function cellWidth(weeks) {
   var w = leastCell, i, j;
   for (i = 0; i < weeks.length; i++)
      for (j = 0; j < 7; j++)
         if (weeks[i].days[j]) w = Math.max(w, textWidth(weeks[i].days[j].line.text));
   return w;
}

// How many months a row (most at most) and the cell width: as many months
// as fit the layout's width with the narrowest cells, then the widest cells
// up to natural that still fit, a month never wider than 80 columns.
function monthFit(layout, most, natural) {
   var extra = layout.weeks ? 3 : 0, k = most;
   natural = Math.min(natural, Math.floor((80 - 6 - extra) / 7));
   while (k > 1 && k * (7 * leastCell + 6 + extra) + 3 * (k - 1) > layout.width) k--;
   this.perRow = k;
   this.cell = Math.max(leastCell, Math.min(natural, Math.floor(((layout.width - 3 * (k - 1)) / k - 6 - extra) / 7)));
   this.full = 7 * this.cell + 6 + extra;
}

// The number line of cell c: the number centred, a badge at the cell's
// right end, as the grid has it in the cell's top corner.
function numberText(c, width, colors) {
   var shown = paint(c.number.text, numberSgr(c.number, c.isToday), colors), number = textWidth(c.number.text);
   var badge = textWidth(c.badge.text), left;
   if (badge == 0) return centreText(shown, c.number.text, width);
   left = Math.min(Math.floor((width - number) / 2), width - number - badge);
   return spaces(left) + shown + spaces(width - left - number - badge) +
      paint(c.badge.text, ttyBadges[c.badge.color], colors);
}

function lineText(c, width, colors) {
   var text = cutText(c.line.text, width).replace(/\s+$/, '');
   return centreText(paint(text, textSgr(c.line), colors), text, width);
}

function twoDigits(n) {
   return (n < 10 ? '0' : '') + n;
}

function weekLines(week, width, layout) {
   var numbers = [], lines = [], j, c;
   for (j = 0; j < 7; j++) {
      c = week.days[j];
      numbers.push(c ? numberText(c, width, layout.colors) : spaces(width));
      lines.push(c ? lineText(c, width, layout.colors) : spaces(width));
   }
   if (!layout.weeks) return [numbers.join(' '), lines.join(' ')];
   return [twoDigits(week.number) + ' ' + numbers.join(' '), '   ' + lines.join(' ')];
}

// title in lines of at most width columns, broken at its spaces (a word
// wider than width is cut), each centred.
function titleLines(title, width) {
   var words = title.split(' '), lines = [], line = '', i;
   for (i = 0; i < words.length; i++) {
      if (line != '' && textWidth(line + ' ' + words[i]) <= width) { line += ' ' + words[i]; continue; }
      if (line != '') lines.push(line);
      line = cutText(words[i], width);
   }
   lines.push(line);
   return lines.map(function (l) { return centreText(l, l, width); });
}

// Lines of one month under the title, all of the month's full width.
function monthBlock(title, weeks, fit, layout) {
   var names = [], out = titleLines(title, fit.full), i, day;
   for (i = 0; i < 7; i++) {
      day = nStr1[(i + (layout.monday ? 1 : 0)) % 7];
      names.push(centreText(day, day, fit.cell));
   }
   out.push((layout.weeks ? '   ' : '') + names.join(' '));
   for (i = 0; i < weeks.length; i++) out = out.concat(weekLines(weeks[i], fit.cell, layout));
   return out;
}

function trimEnds(lines) {
   var i;
   for (i = 0; i < lines.length; i++) lines[i] = lines[i].replace(/\s+$/, '');
   return lines.join('\n') + '\n';
}

// Month m (0 = January) of year y, headed like the grid.
function monthText(y, m, layout) {
   var weeks = monthWeeks(y, m, layout.monday), fit = new monthFit(layout, 1, cellWidth(weeks));
   return trimEnds(monthBlock('公元' + y + '年' + (m + 1) + '月 ' + yearHeading(eraText(y), y), weeks, fit, layout));
}

// Blocks of lines side by side, three spaces apart; a shorter block is
// filled with blank lines of its width.
function sideBySide(blocks, full) {
   var height = 0, out = [], i, row, k;
   for (k = 0; k < blocks.length; k++) height = Math.max(height, blocks[k].length);
   for (i = 0; i < height; i++) {
      row = [];
      for (k = 0; k < blocks.length; k++) row.push((i < blocks[k].length) ? blocks[k][i] : spaces(full));
      out.push(row.join('   '));
   }
   return out;
}

// Months [y, m] titled by title(y, m), as many a row as fit, in one cell
// width; the lines, each row after an empty line.
function monthRows(months, title, layout) {
   var weeks = [], natural = leastCell, out = [], fit, k, i, row;
   for (k = 0; k < months.length; k++) {
      weeks.push(monthWeeks(months[k][0], months[k][1], layout.monday));
      natural = Math.max(natural, cellWidth(weeks[k]));
   }
   fit = new monthFit(layout, 3, natural);
   for (k = 0; k < months.length; k += fit.perRow) {
      row = [];
      for (i = k; i < Math.min(k + fit.perRow, months.length); i++)
         row.push(monthBlock(title(months[i][0], months[i][1]), weeks[i], fit, layout));
      out = out.concat([''], sideBySide(row, fit.full));
   }
   return { lines: out, width: fit.perRow * fit.full + 3 * (fit.perRow - 1) };
}

// The twelve months of year y.
function yearText(y, layout) {
   var months = [], rows, m;
   for (m = 0; m < 12; m++) months.push([y, m]);
   rows = monthRows(months, function (y, m) { return (m + 1) + '月'; }, layout);
   return trimEnds(titleLines('公元' + y + '年 ' + yearHeading(eraText(y), y), rows.width).concat(rows.lines));
}

// The month before month m of year y, that month and the month after; the
// calendar's range ends at 1900 and 2100.
function threeText(y, m, layout) {
   var months = [], t, k;
   for (k = -1; k <= 1; k++) {
      t = new Date(Date.UTC(y, m + k, 1));
      if (t.getUTCFullYear() >= 1900 && t.getUTCFullYear() <= 2100) months.push([t.getUTCFullYear(), t.getUTCMonth()]);
   }
   return trimEnds(monthRows(months, function (y, m) { return y + '年' + (m + 1) + '月'; }, layout).lines.slice(1));
}
