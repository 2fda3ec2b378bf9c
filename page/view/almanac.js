// The day's almanac (黄历) under the grid, for the selected day: today at
// start, then the day clicked or under the keyboard's mark; turning to
// another month selects today in today's month, else the 1st. The selected
// day's cell is tinted while the panel shows. The check box beside the
// holidays' hides the panel; the choice is kept in the cookie "ALM" like the
// holidays', shown unless it reads "0".

var showAlmanac = true;
var almanacDay = null;   // the selected day: { y, m (0 = January), d }
var almanacCell = null;  // its tinted cell

// The day a drawing of month m of year y selects, where `day` was selected
// before: the same day while its month stays, else today in today's month,
// else the 1st.
function almanacPick(y, m, day) {
   if (day && day.y == y && day.m == m) return day;
   return { y: y, m: m, d: (y == tY && m == tM) ? tD : 1 };
}

// The panel's texts for day record r and its almanac a (null where the
// almanac does not reach), by the names its markup gives its parts.
function almanacTexts(r, a) {
   var t = { date: r.sYear + '年' + r.sMonth + '月' + r.sDay + '日 星期' + r.week };
   if (a == null) return t;
   t.date += '　农历' + (r.isLeap ? '闰' : '') + lunarMonthNames[r.lMonth - 1] + '月' + cDay(r.lDay) +
      '　' + r.cYear + '年 ' + r.cMonth + '月 ' + r.cDay + '日';
   t.yi = a.yi.join(' ');
   t.ji = a.ji.join(' ');
   t.chongSha = a.chongSha;
   t.tianShen = a.tianShen;
   t.dao = a.huangDao ? '黄道' : '黑道';
   t.jianChu = a.jianChu;
   t.xiu = a.xiu;
   t.pengZu = a.pengZu;
   t.naYin = a.naYin;
   t.taiShen = a.taiShen;
   t.jiShen = a.jiShen.join(' ');
   t.xiongSha = a.xiongSha.join(' ');
   return t;
}

// Start-up: the user's choice from the cookie; the grid's clicks select.
function startAlmanac() {
   showAlmanac = getCookie('ALM') != '0';
   AB.checked = showAlmanac;
   almanac.style.display = showAlmanac ? '' : 'none';
   GD0.closest('TABLE').addEventListener('click', almanacClick);
   window.addEventListener('resize', fitAlmanac);
   new ResizeObserver(fitAlmanac).observe(almanac.closest('TABLE'));
}

function saveAlmanac() {
   setCookie('ALM', showAlmanac ? 1 : 0);
}

// The check box: show or hide the panel, and the tint with it.
function chAlmanac() {
   showAlmanac = AB.checked;
   saveAlmanac();
   almanac.style.display = showAlmanac ? '' : 'none';
   showAlmanacDay();
}

// A click on a day of the month selects it; blank cells select nothing.
function almanacClick(e) {
   var cell = e.target.closest('TD[id^=GD]'), d;
   if (!cell || cld == undefined) return;
   d = Number(cell.id.substr(2)) - cld.firstWeek + 1;
   if (d > 0 && d <= cld.length) selectDay(d);
}

// Selects day d of the month drawn.
function selectDay(d) {
   almanacDay = { y: cld[0].sYear, m: cld[0].sMonth - 1, d: d };
   showAlmanacDay();
}

// After drawCld: the day month SM of year SY selects.
function drawAlmanac(SY, SM) {
   almanacDay = almanacPick(SY, SM, almanacDay);
   showAlmanacDay();
}

// Writes the selected day into the panel and tints its cell; nothing while
// the panel is hidden.
function showAlmanacDay() {
   var d = almanacDay.d, a, t, parts, i;
   if (almanacCell) almanacCell.classList.remove('almanacPick');
   almanacCell = null;
   if (!showAlmanac) return;
   almanacCell = eval('GD' + (cld.firstWeek + d - 1));
   almanacCell.classList.add('almanacPick');
   a = recordAlmanac(cld[d - 1]);
   t = almanacTexts(cld[d - 1], a);
   almanac.classList.toggle('almanacNone', a == null);
   almanac.classList.toggle('almanacBlack', a != null && !a.huangDao);
   almanac.ariaLabel = '黄历 ' + t.date;
   parts = almanac.querySelectorAll('[data-part]');
   for (i = 0; i < parts.length; i++) parts[i].textContent = t[parts[i].dataset.part] || '';
}

// The almanac of day record r of the month drawn, as dayAlmanac gives it,
// but from the record's own pillars: dayAlmanac would build the month's model
// a second time, which costs as much as the rest of a month's drawing.
function recordAlmanac(r) {
   var t = Date.UTC(r.sYear, r.sMonth - 1, r.sDay);
   return (t >= almanacFirst && t <= almanacLast) ? new Almanac(r.cMonth, r.cDay, t / 86400000) : null;
}

// Maximised, the panel reaches down to the foot of the window, so that the
// page ends there; where the window is too small for it, it keeps its own
// height and the page scrolls to it. Run after layout (on a resize, or the
// layout table changing its size), never inside a month's drawing. While
// the page fits, the window shows no vertical scroll bar: a month with more
// rows, drawn before this runs again, would otherwise bring one up for a
// moment and move the centred grid aside.
function fitAlmanac() {
   var root = document.documentElement, page = document.scrollingElement, inner = almanac.firstElementChild,
      bars = document.querySelectorAll('TD[height="4"]'), end, fill, own;
   if (!showAlmanac) return root.style.overflowY = '';
   end = bars[bars.length - 1].closest('TABLE').getBoundingClientRect().bottom + page.scrollTop +
      parseFloat(getComputedStyle(document.body).marginBottom);
   // Whole pixels down: the layout's sizes can be fractional, and offsetHeight
   // rounds, which left the page a pixel taller than the window.
   fill = Math.floor(almanac.getBoundingClientRect().height + page.clientHeight - end);
   own = almanac.offsetHeight - almanac.clientHeight + 2 * parseFloat(getComputedStyle(almanac).paddingTop) + inner.offsetHeight;
   almanac.style.minHeight = (fill >= own ? fill : 0) + 'px';
   root.style.overflowY = fill >= own ? 'hidden' : '';
}
