// The day pop-up: while the pointer rests on a day cell, the layer `detail`
// shows that day's full record from cld, just below the pointer.

var width = "130";  // pop-up width used for centring on the pointer
var offsetx = 2;
var offsety = 8;
var x = 0;          // last pointer position, in page pixels
var y = 0;
var snow = 0;       // 1 while the pop-up is shown
var dStyle;         // style of `detail`, set by initialize()
var popupShown = ''; // markup last written into `detail`

document.onmousemove = mEvn;

// Keeps the pointer position and drags a shown pop-up along.
function mEvn() {
   if (dStyle == undefined) return;  // the page has not started yet
   x = event.x + document.body.scrollLeft;
   y = event.y + document.body.scrollTop;
   if (snow) {
      // Lengths carry their unit: a bare number is accepted in quirks mode only.
      dStyle.left = x + offsetx - width / 2 + 'px';
      dStyle.top = y + offsety + 'px';
   }
}

// Pop-up text of day record r.
function popupText(r) {
   var festival = '', lunar = '';
   if (r.solarTerms != '' || r.solarFestival != '' || r.lunarFestival != '')
      festival = '<TABLE WIDTH=100% BORDER=0 CELLPADDING=2 CELLSPACING=0 BGCOLOR="#CCFFCC"><TR><TD>' +
         '<FONT COLOR="#000000" STYLE="font-size:9pt;">' +
         termLine(r) + ' ' + r.solarFestival + ' ' + r.lunarFestival +
         '</FONT></TD></TR></TABLE>';
   lunar = '<FONT COLOR="violet">农历' + (r.isLeap ? '闰 ' : ' ') + r.lMonth + ' 月 ' + r.lDay + ' 日</FONT><BR>';
   return '<TABLE WIDTH="130" BORDER=0 CELLPADDING="2" CELLSPACING=0 BGCOLOR="#000066" STYLE="filter:Alpha(opacity=80)"><TR><TD>' +
      '<TABLE WIDTH=100% BORDER=0 CELLPADDING=0 CELLSPACING=0><TR><TD ALIGN="right">' +
      '<FONT COLOR="#ffffff" STYLE="font-size:9pt;">' +
      r.sYear + ' 年 ' + r.sMonth + ' 月 ' + r.sDay + ' 日<BR>' +
      '星期' + r.week + '<BR>' +
      lunar +
      '<FONT COLOR="yellow">' + r.cYear + '年 ' + r.cMonth + '月 ' + r.cDay + '日</FONT>' +
      '</FONT></TD></TR></TABLE>' +
      festival + holidayLine(r) + ownLine(r) + '</TD></TR></TABLE>';
}

// The solar term of day record r with its Beijing time: "冬至 04:50".
function termLine(r) {
   if (r.solarTerms == '') return '';
   return r.solarTerms + ' ' + sTermText(r.sYear, termIndex(r)).substr(11);
}

// Puts markup m into the pop-up unless it is there already. The pointer
// entering the texts inside a cell enters the cell again, and each write
// builds the tables anew, leaving the old ones for the engine to collect.
function setPopup(m) {
   if (m == popupShown) return;
   detail.innerHTML = m;
   popupShown = m;
}

// Pointer enters grid cell v: show the day's record; blank cells show nothing.
function mOvr(v) {
   var sObj, d;
   if (cld == undefined || dStyle == undefined) return;  // the page has not started yet
   sObj = eval('SD' + v);
   if (sObj.innerHTML == '') return;
   d = sObj.innerHTML - 1;
   sObj.style.cursor = 's-resize';
   setPopup(popupText(cld[d]));
   if (snow == 0) {
      dStyle.left = x + offsetx - width / 2 + 'px';
      dStyle.top = y + offsety + 'px';
      dStyle.visibility = 'visible';
      snow = 1;
   }
}

// Pointer leaves a grid cell (or crosses into an element inside it).
function mOut() {
   if (dStyle == undefined) return;
   snow = 0;
   dStyle.visibility = 'hidden';
}
