// The calendar from the keyboard: PageUp and PageDown show the previous and
// next month (with Shift the year), Home the current month, as the buttons
// do; the arrow keys move a focus mark over the days, show the marked
// day's pop-up beside its cell and its almanac under the grid; Escape hides
// the pop-up; Enter opens the marked day's own days. Keys pressed in a menu stay the menu's.

var kDay = 0;      // day of the month under the focus mark, 0 when none
var kCell = null;  // the marked cell
var gridTab = 0;   // the grid's place in the Tab order

// Tab order: the two selectors, the grid, the five buttons, the two zone
// menus. The keyboard listens from here on; keys before start-up find no month.
function setupKeys() {
   var order = [CLD.SY, CLD.SM], buttons = document.getElementsByTagName('BUTTON'), i;
   gridTab = order.length + 1;
   order.push(null);
   for (i = 0; i < buttons.length; i++) order.push(buttons[i]);
   order.push(document.WorldClock.continentMenu, document.WorldClock.countryMenu);
   for (i = 0; i < order.length; i++) if (order[i]) order[i].tabIndex = i + 1;
   document.addEventListener('keydown', kEvn);
   document.addEventListener('focusout', kBlur);
   document.addEventListener('focusin', kFocus);
}

// The grid is one Tab stop, the arrow keys move inside it: the stop is day d
// of the month drawn, else today in today's month, else day 1. The other days
// take the focus only from a script, so that the mark can move there.
function gridStop(d) {
   var i, today = cld[0].sYear == tY && cld[0].sMonth - 1 == tM;
   if (!d) d = today ? tD : 1;
   for (i = 0; i < 42; i++) eval('GD' + i).tabIndex = -1;
   eval('GD' + (cld.firstWeek + d - 1)).tabIndex = gridTab;
}

// Tab into the grid marks its stop day, as the first arrow key would; a click
// that focuses a day marks nothing.
function kFocus(e) {
   var n = /^GD(\d+)$/.exec(e.target.id || '');
   if (!n || e.target == kCell || cld == undefined || dStyle == undefined || !e.target.matches(':focus-visible')) return;
   markDay(Number(n[1]) - cld.firstWeek + 1);
}

// The calendar's keys; every other key goes its usual way.
function kEvn(e) {
   if (cld == undefined || dStyle == undefined) return;
   if (e.target.tagName == 'SELECT' || e.ctrlKey || e.altKey || e.metaKey) return;
   switch (e.key) {
      case 'PageUp': turnMonth(e.shiftKey ? 'YU' : 'MU'); break;
      case 'PageDown': turnMonth(e.shiftKey ? 'YD' : 'MD'); break;
      case 'Home': turnMonth(''); break;
      case 'ArrowLeft': moveMark(-1); break;
      case 'ArrowRight': moveMark(1); break;
      case 'ArrowUp': moveMark(-7); break;
      case 'ArrowDown': moveMark(7); break;
      case 'Escape': mOut(); break;
      case 'Enter': if (kDay) editOwnDays(kDay); else return; break;
      default: return;
   }
   e.preventDefault();
}

// A button's move; a marked day stays marked in the month shown next (today
// after Home), or on that month's last day where it is shorter.
function turnMonth(key) {
   pushBtm(key);
   if (kDay) markDay(key == '' ? tD : Math.min(kDay, cld.length));
}

// Moves the mark `step` days, into the month before or after where it leads,
// but not out of 1900 to 2100. The first press marks the day selected for
// the almanac: today when today's month is shown, else day 1, unless
// another was clicked.
function moveMark(step) {
   var y = CLD.SY.selectedIndex + 1900, m = CLD.SM.selectedIndex, t;
   if (!kDay) return markDay(almanacDay.d);
   t = new Date(Date.UTC(y, m, kDay + step));
   if (t.getUTCFullYear() < 1900 || t.getUTCFullYear() > 2100) return;
   if (t.getUTCFullYear() != y || t.getUTCMonth() != m) {
      CLD.SY.selectedIndex = t.getUTCFullYear() - 1900;
      CLD.SM.selectedIndex = t.getUTCMonth();
      changeCld();
   }
   markDay(t.getUTCDate());
}

// Puts the focus mark on day d of the month shown, and selects it for the
// almanac.
function markDay(d) {
   var cell = eval('GD' + (cld.firstWeek + d - 1));
   if (kCell) kCell.style.outline = '';
   kDay = d;
   kCell = cell;
   gridStop(d);
   cell.style.outline = '2px solid #000080';
   cell.focus();
   selectDay(d);
   showBeside(cell, cld[d - 1]);
}

// The day's pop-up right of its cell, or left of it where the visible page
// ends. It does not follow the pointer (snow stays 0); the pointer's next
// day cell takes the pop-up over as designed.
function showBeside(cell, r) {
   var box = cell.getBoundingClientRect(), left = box.right + 2;
   setPopup(popupText(r));
   if (left + detail.offsetWidth > document.body.clientWidth) left = Math.max(0, box.left - 2 - detail.offsetWidth);
   dStyle.left = left + document.body.scrollLeft + 'px';
   dStyle.top = box.top + document.body.scrollTop + 'px';
   dStyle.visibility = 'visible';
}

// The mark goes with the focus (a click or Tab elsewhere), and the pop-up it
// showed with it, unless the pointer shows one. The window losing the focus
// keeps both.
function kBlur(e) {
   if (e.target != kCell || !document.hasFocus()) return;
   kCell.style.outline = '';
   kCell = null;
   kDay = 0;
   if (!snow) dStyle.visibility = 'hidden';
}
