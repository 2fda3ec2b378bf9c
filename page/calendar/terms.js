// Day of the month (UTC) of solar term n of year y, from the mean tropical
// year and the term's offset in minutes from 小寒 of 1900.
function sTerm(y,n) {
   var offDate = new Date( ( 31556925974.7*(y-1900) + sTermInfo[n]*60000  ) + Date.UTC(1900,0,6,2,5) );
   return(offDate.getUTCDate());
}




