// Daylight saving. Every instant handled here is a zone's standard-time wall
// clock held in a Date's UTC fields (the current time plus the zone's offset),
// and the transitions are built the same way, so a rule is always read on the
// zone's own standard time and in the zone's own year.
var OneHour = 60 * 60 * 1000;
var OneDay = 24 * OneHour;

// "+0800" -> 8 hours in ms; the sign covers the minutes too ("-0330").
function parseOffset(s) {
   var sign = s.charAt(0) == '-' ? -1 : 1;
   var hours = Math.floor(Number(s.substring(1, 3)));
   var minutes = Math.floor(Number(s.substring(3, 5)));
   return sign * (hours * 60 + minutes) * 60 * 1000;
}

// The nd-th (1: first, -1: last) weekday w of month m in year y, at hour h.
function getWeekDay(y, m, nd, w, h) {
   var d, w1, days;
   if (nd > 0) {
      d = new Date(Date.UTC(y, m, 1));
      w1 = d.getUTCDay();
      days = (w >= w1 ? w - w1 : w + 7 - w1) + (nd - 1) * 7;
   } else {
      d = new Date(Date.UTC(y, m + 1, 1) - OneDay);
      w1 = d.getUTCDay();
      days = (w <= w1 ? w - w1 : w - 7 - w1) - (-nd - 1) * 7;
   }
   return new Date(d.getTime() + days * OneDay + h * OneHour);
}

// One half of a rule ("03L01", "04F53", "04 13") as its instant in year y.
// For a fixed day, positions 2 and 3 are the day of the month (" 1" is 1).
function getTransition(y, half) {
   var m = Math.floor(Number(half.substring(0, 2))) - 1;
   var kind = half.charAt(2);
   var w = Math.floor(Number(half.charAt(3)));
   var h = Math.floor(Number(half.charAt(4)));
   if (kind == 'F') return getWeekDay(y, m, 1, w, h);
   if (kind == 'L') return getWeekDay(y, m, -1, w, h);
   return new Date(Date.UTC(y, m, Math.floor(Number(half.substring(2, 4))), h));
}

// Daylight saving starts one millisecond after the start instant and ends at
// the end instant itself. An end before the start means the period runs over
// the turn of the year (southern hemisphere).
function isDaylightSaving(d, strDS) {
   if (strDS == "") return false;
   var y = d.getUTCFullYear();
   var d1 = getTransition(y, strDS.substring(0, 5));
   var d2 = getTransition(y, strDS.substring(6, 11));
   if (d2 > d1) return d1 < d && d < d2;
   return d > d1 || d < d2;
}
