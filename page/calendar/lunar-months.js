// The word of lunar year y. Of the years before the table only the last
// month of 1899 is shown (1-30 January 1900: month 12, 30 days); a year
// outside the table reads as 0, a plain year of twelve 29-day months.
function lYearInfo(y) {
   if(y==1899) return(0x10);
   if(y<1900 || y>2100) return(0);
   return(lunarInfo[y-1900]);
}

// Days in lunar year y, leap month included.
function lYearDays(y) {
   var i, sum = 348, info = lYearInfo(y);
   for(i=0x8000; i>0x8; i>>=1) sum += (info & i)? 1: 0;
   return(sum+leapDays(y));
}

// Days of the leap month of year y (0 when it has none). Its length is kept
// in the next year's word: 0xf there means 30 days.
function leapDays(y) {
   if(leapMonth(y)==0) return(0);
   return(((lYearInfo(y+1) & 0xf)==0xf)? 30: 29);
}

// The month that year y repeats as a leap month, 0 when it has none.
function leapMonth(y) {
   var lm = lYearInfo(y) & 0xf;
   return(lm==0xf? 0: lm);
}

// Days of regular lunar month m (1-12) of year y.
function monthDays(y,m) {
   return((lYearInfo(y) & (0x10000>>m))? 30: 29);
}

// Days of Gregorian month m (0 = January) of year y.
function solarDays(y,m) {
   if(m==1) return(((y%4==0) && (y%100!=0) || (y%400==0))? 29: 28);
   return(solarMonth[m]);
}
