// Day of the month (UTC) of solar term n of year y, from the mean tropical
// year (31556925974.7 ms = 365.2422 days; the day tables were made with this
// value, so a more exact one would move terms that fall near midnight) and
// the term's offset in minutes from 小寒 of 1900.
// The four empty lines after this function end the first of the two
// string-table halves the page is stored in: the build splits there.
function sTerm(y,n) {
   var offDate = new Date( ( 31556925974.7*(y-1900) + sTermInfo[n]*60000  ) + Date.UTC(1900,0,6,2,5) );
   return(offDate.getUTCDate());
}




