// The page-load date: taken once while the script is parsed and never renewed,
// so a page left open past midnight still treats its load day as today.
// The date is the local one the host reads from the system where it gives it
// (the engine's own idea of the local zone can be out of date or, for some
// TZ settings, UTC), else the engine's.
var Today = new Date();
var tLocal = hostLocal(Today);
var tY = tLocal ? tLocal.getUTCFullYear() : Today.getFullYear();
var tM = tLocal ? tLocal.getUTCMonth() : Today.getMonth();
var tD = tLocal ? tLocal.getUTCDate() : Today.getDate();
var todayNote = todayInRange();

// A clock outside the calendar's years (set wrong, a virtual machine's) makes
// the load date the nearest day of the range, which is then not marked as
// today. Returns the notice that says so, or ''.
function todayInRange() {
   var note;
   if (tY >= 1900 && tY <= 2100) return '';
   note = '系统日期 ' + tY + '-' + ('0' + (tM + 1)).slice(-2) + '-' + ('0' + tD).slice(-2) + ' 超出 1900–2100，';
   if (tY < 1900) { tY = 1900; tM = 0; tD = 1; }
   else { tY = 2100; tM = 11; tD = 31; }
   return note + '显示 ' + tY + '年' + (tM + 1) + '月';
}
