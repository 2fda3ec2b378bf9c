// What a screen reader says: each day cell is named with the day's full
// reading, the arrow buttons with what they do, and the clocks form a region
// that is read when asked for, not every second.

var navName = { YU: '上一年', YD: '下一年', MU: '上个月', MD: '下个月', '': '本月' };

// Lunar month m in words: 正 for the first, then 二 to 十二.
function lMonthWord(m) {
   if (m == 1) return '正';
   return (m > 10) ? '十' + nStr1[m - 10] : nStr1[m];
}

// Full reading of day record r, as "2026年12月7日 星期一 农历十月廿八 大雪".
function dayReading(r) {
   var s = r.sYear + '年' + r.sMonth + '月' + r.sDay + '日 星期' + r.week;
   s += ' 农历' + (r.isLeap ? '闰' : '') + lMonthWord(r.lMonth) + '月' + cDay(r.lDay);
   s += ' ' + r.solarTerms + ' ' + r.solarFestival + ' ' + r.lunarFestival;
   return s.replace(/\s+/g, ' ').replace(/ $/, '');
}

// Names the day cells of the month drawn; cells outside the month have none.
function nameDays() {
   var i, d;
   for (i = 0; i < 42; i++) {
      d = i - cld.firstWeek;
      eval('GD' + i).ariaLabel = (d > -1 && d < cld.length) ?
         (dayReading(cld[d]) + ' ' + holidayWords(cld[d]) + ' ' + ownTitles(cld[d])).replace(/ +$/, '') : null;
   }
}

// Hides what only decorates from screen readers: the map with its symbol-font
// arrows, the colour bars, the watermark, the badges (the day's name says
// them) and the footer, white on white. Run once the page's body stands.
function hideDecoration() {
   var i, hidden = [YMBG.parentNode], bars = document.querySelectorAll('TD[height="4"]'),
      fonts = document.querySelectorAll('FONT[color="#FFFFFF"]');
   for (i = 0; i < bars.length; i++) hidden.push(bars[i].closest('TABLE'));
   for (i = 0; i < 42; i++) hidden.push(eval('HD' + i));
   for (i = 0; i < hidden.length; i++) hidden[i].ariaHidden = 'true';
   unreadText(map.closest('TABLE'));
   for (i = 0; i < fonts.length; i++) if (/^最后更新/.test(fonts[i].innerText)) unreadText(fonts[i]);
}

// The engine gives a reader a block's text with the text of its hidden parts
// in it, but not generated content whose alternative text is empty: the text
// of `root` is drawn that way (class unread), and the rest of it hidden.
function unreadText(root) {
   var walk = document.createTreeWalker(root, NodeFilter.SHOW_TEXT), n, texts = [], i, span;
   while ((n = walk.nextNode())) if (n.data.trim() != '' && n.parentNode.tagName != 'SCRIPT') texts.push(n);
   for (i = 0; i < texts.length; i++) {
      span = document.createElement('SPAN');
      span.className = 'unread';
      span.setAttribute('data-text', texts[i].data.trim());
      texts[i].parentNode.replaceChild(span, texts[i]);
   }
   root.ariaHidden = 'true';
}

// Names for the controls, once the page's body stands.
function setupNames() {
   var buttons = document.getElementsByTagName('BUTTON'), i, key;
   for (i = 0; i < buttons.length; i++) {
      key = /pushBtm\('(\w*)'\)/.exec(buttons[i].getAttribute('onclick'));
      if (key) buttons[i].ariaLabel = navName[key[1]];
   }
   CLD.SY.ariaLabel = '年份';
   CLD.SM.ariaLabel = '月份';
   document.WorldClock.continentMenu.ariaLabel = '洲';
   document.WorldClock.countryMenu.ariaLabel = '国家或地区';
   nameClock(LocalTime, '本地时间');
   nameClock(GlobeTime, '所选地区时间');
}

// A clock rewritten every second: a timer region, which is never announced
// by itself.
function nameClock(clock, name) {
   clock.setAttribute('role', 'timer');
   clock.ariaLive = 'off';
   clock.ariaLabel = name;
}
