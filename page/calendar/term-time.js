// Beijing date and time of solar term n of year y, "2026-12-22 04:50"; empty
// for a year the term table does not have.
function sTermText(y,n) {
   var t = sTermTime(y,n);
   if(t == null) return('');
   return(new Date(t + 8*3600000).toISOString().substr(0,16).replace('T',' '));
}

// Index of the solar term of day record r: the first or the second of its month.
function termIndex(r) {
   var n = (r.sMonth-1)*2;
   return((r.solarTerms == solarTerm[n])? n: n+1);
}
