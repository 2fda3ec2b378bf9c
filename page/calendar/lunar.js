// The lunar date of the local calendar date of objDate: year, month (1-12),
// day and whether the month is the leap month. Days are counted from
// 1900-01-31 (lunar 1900-01-01) between UTC midnights of calendar dates, so
// neither the time zone nor daylight saving can shift the count; then the
// year lengths and month lengths are walked off.
function Lunar(objDate) {
   var i, leap=0, temp=0;
   var baseDate = Date.UTC(1900,0,31);
   var offset = (Date.UTC(objDate.getFullYear(),objDate.getMonth(),objDate.getDate()) - baseDate)/86400000;

   // Before the table: the last month of 1899, which began on 1 January 1900.
   if(offset<0) {
      this.year = 1899; this.month = 12; this.day = offset + 31; this.isLeap = false;
      return;
   }

   // Year 2100 is never walked past: later dates stay in it.
   for(i=1900; i<2100 && offset>0; i++) { temp=lYearDays(i); offset-=temp; }
   if(offset<0) { offset+=temp; i--; }

   this.year = i;
   leap = leapMonth(i);
   this.isLeap = false;

   // Months in order 1 ... leap, the leap month, leap+1 ... 12.
   for(i=1; i<13 && offset>0; i++) {
      if(leap>0 && i==(leap+1) && this.isLeap==false) {
         --i; this.isLeap = true; temp = leapDays(this.year);
      }
      else temp = monthDays(this.year, i);
      if(this.isLeap==true && i==(leap+1)) this.isLeap = false;
      offset -= temp;
   }

   // Landed on day 1 right after regular month leap or after the leap month.
   if(offset==0 && leap>0 && i==leap+1) {
      if(this.isLeap) this.isLeap = false;
      else { this.isLeap = true; --i; }
   }

   // Inside the month of the last turn.
   if(offset<0) { offset += temp; --i; }

   this.month = i;
   this.day = offset + 1;
}
