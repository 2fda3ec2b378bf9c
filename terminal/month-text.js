// Months as terminal lines, laid out like the grid: a heading, the weekday
// names, then per week a line of day numbers over a line of lower-line texts,
// every cell centred in one width so the columns line up.

// The grid's colours as terminal graphic renditions. Black is the page's text
// colour on white, so here it is the terminal's own text colour; today's
// aqua background is cyan, under black unless the day has a colour.
var ttyColors = { red: '31', blue: '34', green: '32', limegreen: '92', black: '39' };
var ttyBold = '1';
var ttyToday = '46';
var ttyBadges = { red: '97;41', gray: '97;100' };  // white on the badge's colour

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

// One day cell: its number (coloured as the grid colours it), holiday badge
// and lower line.
function dayCell(r, n) {
   this.number = new cellText(String(r.sDay), r.color || columnColor(n), false);
   this.badge = holidayMark(holidayOf(r.sYear, r.sMonth - 1, r.sDay));
   this.line = shownText(lowerLine(r));
   this.isToday = r.isToday;
}

// The weeks of month m (0 = January) of year y: rows of seven cells of the
// grid, null where a cell holds no day; only rows that hold a day.
function monthWeeks(y, m) {
   var model = new calendar(y, m), weeks = [], n, d;
   for (n = 0; n < 42; n++) {
      d = n - model.firstWeek;
      if (n % 7 == 0) {
         if (d >= model.length) break;
         weeks.push([]);
      }
      weeks[weeks.length - 1].push((d >= 0 && d < model.length) ? new dayCell(model[d], n) : null);
   }
   return weeks;
}

// The cell width that fits every lower line of these weeks.
function cellWidth(weeks) {
   var w = 4, i, j;
   for (i = 0; i < weeks.length; i++)
      for (j = 0; j < 7; j++)
         if (weeks[i][j]) w = Math.max(w, textWidth(weeks[i][j].line.text));
   return w;
}

// The number line of cell c: the number centred, a badge at the cell's
// right end, as the grid has it in the cell's top corner.
function numberText(c, width, colors) {
   var shown = paint(c.number.text, numberSgr(c.number, c.isToday), colors), left, right;
   if (c.badge.text.length == 0) return centreText(shown, c.number.text, width);
   left = Math.floor((width - textWidth(c.number.text)) / 2);
   right = width - left - textWidth(c.number.text) - textWidth(c.badge.text);
   return spaces(left) + shown + spaces(right) + paint(c.badge.text, ttyBadges[c.badge.color], colors);
}

function weekLines(week, width, colors) {
   var numbers = [], lines = [], j, c;
   for (j = 0; j < 7; j++) {
      c = week[j];
      if (!c) { numbers.push(spaces(width)); lines.push(spaces(width)); continue; }
      numbers.push(numberText(c, width, colors));
      lines.push(centreText(paint(c.line.text, textSgr(c.line), colors), c.line.text, width));
   }
   return [numbers.join(' '), lines.join(' ')];
}

// Lines of one month under the title, all of the month's full width
// (7 cells of width, one space between).
function monthBlock(title, weeks, width, colors) {
   var full = 7 * width + 6, names = [], out = [], i;
   for (i = 0; i < 7; i++) names.push(centreText(nStr1[i], nStr1[i], width));
   out.push(centreText(title, title, full), names.join(' '));
   for (i = 0; i < weeks.length; i++) out = out.concat(weekLines(weeks[i], width, colors));
   return out;
}

function trimEnds(lines) {
   var i;
   for (i = 0; i < lines.length; i++) lines[i] = lines[i].replace(/\s+$/, '');
   return lines.join('\n') + '\n';
}

// Month m (0 = January) of year y, headed like the grid.
function monthText(y, m, colors) {
   var weeks = monthWeeks(y, m);
   return trimEnds(monthBlock('公元' + y + '年' + (m + 1) + '月 ' + yearHeading(eraText(y), y),
                              weeks, cellWidth(weeks), colors));
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

// The twelve months of year y, three a row, in one cell width.
function yearText(y, colors) {
   var weeks = [], width = 4, title = '公元' + y + '年 ' + yearHeading(eraText(y), y), out, m, k, row;
   for (m = 0; m < 12; m++) {
      weeks.push(monthWeeks(y, m));
      width = Math.max(width, cellWidth(weeks[m]));
   }
   out = [centreText(title, title, 3 * (7 * width + 6) + 6)];
   for (m = 0; m < 12; m += 3) {
      row = [];
      for (k = m; k < m + 3; k++) row.push(monthBlock((k + 1) + '月', weeks[k], width, colors));
      out = out.concat([''], sideBySide(row, 7 * width + 6));
   }
   return trimEnds(out);
}
