// The instant (time value) of solar term n of year y by the mean-year
// formula: the mean tropical year (31556925974.7 ms = 365.2422 days) and the
// term's offset in minutes from 小寒 of 1900. It drifts from the Sun by up to
// three hours over the range; termFix brings it to the true instant.
function sTermMean(y,n) {
   return(new Date( ( 31556925974.7*(y-1900) + sTermInfo[n]*60000  ) + Date.UTC(1900,0,6,2,5) ).getTime());
}

// The true instant of solar term n of year y, to the minute, from the
// correction table; null for a year the table does not have.
function sTermTime(y,n) {
   var row = termFix[y-1900];
   if(row == undefined) return(null);
   var fix = parseInt(row.substr(n*2,2),36) - 648;
   return((Math.floor(sTermMean(y,n)/60000) + fix)*60000 - 8*3600000);
}

// Day of the month of solar term n of year y: the Beijing-time day of its
// true instant; outside the table, the UTC day of the mean-year instant.
// The four empty lines after this function end the first of the two
// string-table halves the page is stored in: the build splits there.
function sTerm(y,n) {
   var t = sTermTime(y,n);
   if(t == null) return(new Date(sTermMean(y,n)).getUTCDate());
   return(new Date(t + 8*3600000).getUTCDate());
}




