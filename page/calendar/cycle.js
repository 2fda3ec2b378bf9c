// Sexagenary name of cycle index num: stem, then branch.
function cyclical(num) {
   return(Gan[num%10]+Zhi[num%12]);
}

// A lunar day 1-30 in Chinese numerals. Days before the range (negative
// lunar days, from dates before 1900) have no numeral: they give an empty
// text rather than reading outside the numeral tables.
function cDay(d) {
   var s;
   if(d<0) return("");
   switch (d) {
      case 10: s = "初十"; break;
      case 20: s = "二十"; break;
      case 30: s = "三十"; break;
      default: s = nStr2[Math.floor(d/10)]; s += nStr1[d%10];
   }
   return(s);
}
