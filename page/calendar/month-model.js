// One day of the month model. The four texts start empty; isToday starts
// false. sMonth counts from 1.
function calElement(sYear,sMonth,sDay,week,lYear,lMonth,lDay,isLeap,cYear,cMonth,cDay) {
   this.isToday    = false;
   this.sYear      = sYear;
   this.sMonth     = sMonth;
   this.sDay       = sDay;
   this.week       = week;
   this.lYear      = lYear;
   this.lMonth     = lMonth;
   this.lDay       = lDay;
   this.isLeap     = isLeap;
   this.cYear      = cYear;
   this.cMonth     = cMonth;
   this.cDay       = cDay;
   this.color      = '';
   this.lunarFestival = '';
   this.solarFestival = '';
   this.solarTerms    = '';
}

// Month model of year y, month m (0 = January): length, firstWeek and one
// calElement per day at index day - 1.
function calendar(y,m) {
   var lY, lM, lD=1, lL, lX=0, lDObj, cY, cM, cD, i;
   var lDPOS = new Array(3);   // index of day 1 of each lunar month met
   var n = 0;                  // lunar months met
   var firstLM = 0;            // lunar month of day 1

   this.length = solarDays(y,m);
   this.firstWeek = new Date(y,m,1,0,0,0,0).getDay();

   // Year pillar: January and February start in the previous year's.
   // The anchors: 1900 is 庚子, number 36 of the cycle (the grid's
   // heading uses the same anchor); January 1900 is 丙子, number 12; days count from
   // 1900-01-01 (25567 days before 1970-01-01), which is 甲戌, number 10.
   if(m<2) cY=cyclical(y-1900+36-1);
   else cY=cyclical(y-1900+36);
   var term2=sTerm(y,2);              // 立春, always in February

   cM = cyclical((y-1900)*12+m+12);
   var firstNode = sTerm(y,m*2);      // the term that opens the month pillar

   var dayCyclical = Date.UTC(y,m,1,0,0,0,0)/86400000+25567+10;

   for(i=0; i<this.length; i++) {
      // Convert only where a lunar month runs out; count on otherwise.
      if(lD>lX) {
         lDObj = new Lunar(new Date(y,m,i+1));
         lY = lDObj.year; lM = lDObj.month; lD = lDObj.day; lL = lDObj.isLeap;
         lX = lL? leapDays(lY): monthDays(lY,lM);
         if(n==0) firstLM = lM;
         lDPOS[n++] = i-lD+1;
      }
      if(m==1 && (i+1)==term2) cY=cyclical(y-1900+36);
      if((i+1)==firstNode) cM=cyclical((y-1900)*12+m+13);
      cD = cyclical(dayCyclical+i);

      this[i] = new calElement(y, m+1, i+1, nStr1[(i+this.firstWeek)%7],
                               lY, lM, lD++, lL, cY, cM, cD);
   }
   // Where the lunar month after the last one met begins (on or after the
   // month's end), so that a New Year's Eve on the last day is found too.
   lDPOS[n] = this.length - lD + 1 + lX;

   calTerms(this, y, m);
   calSolarFtv(this, m);
   calWeekFtv(this, m);
   calLunarFtv(this, lDPOS, firstLM, n);
   calEaster(this, y, m);
   calLabel(this, m);
   calFriday13(this);
   calToday(this, y, m);
}

// The two solar terms of the month; 清明 is a holiday.
function calTerms(cld, y, m) {
   cld[sTerm(y,m*2)-1].solarTerms = solarTerm[m*2];
   cld[sTerm(y,m*2+1)-1].solarTerms = solarTerm[m*2+1];
   if(m==3) cld[sTerm(y,m*2)-1].color = 'red';
}

// Gregorian festivals on a fixed date.
function calSolarFtv(cld, m) {
   var i, d;
   for(i=0; i<sFtv.length; i++)
      if(sFtv[i].match(/^(\d{2})(\d{2})([\s\*])(.+)$/))
         if(Number(RegExp.$1)==(m+1)) {
            d = Number(RegExp.$2)-1;
            cld[d].solarFestival += RegExp.$4 + ' ';
            if(RegExp.$3=='*') cld[d].color = 'red';
         }
}

// Festivals on the k-th weekday w of the month; k 5 to 8 count from the end
// (5 = the last).
function calWeekFtv(cld, m) {
   var i, k, w, d, L;
   for(i=0; i<wFtv.length; i++)
      if(wFtv[i].match(/^(\d{2})(\d)(\d)([\s\*])(.+)$/))
         if(Number(RegExp.$1)==(m+1)) {
            k = Number(RegExp.$2);
            w = Number(RegExp.$3);
            if(k<5)
               d = ((cld.firstWeek>w)?7:0) + 7*(k-1) + w - cld.firstWeek;
            else {
               L = (cld.firstWeek+cld.length-1)%7;
               d = cld.length - L - 7*(k-5) + w - ((w>L)?7:0) - 1;
            }
            cld[d].solarFestival += RegExp.$5 + ' ';
         }
}

// Lunar festivals, placed through the lunar months the Gregorian month
// meets: s is the row's month counted from the month of day 1, lDPOS[s] the
// index of that lunar month's day 1. Counting runs on over the lunar new
// year (a January can meet months 11, 12 and 1), and segment n, the month
// after the last one met, is there for day "00", New Year's Eve, which can
// be the Gregorian month's last day. Days of a leap month get none.
function calLunarFtv(cld, lDPOS, firstLM, n) {
   var i, s, t;
   for(i=0; i<lFtv.length; i++)
      if(lFtv[i].match(/^(\d{2})(.{2})([\s\*])(.+)$/)) {
         s = Number(RegExp.$1)-firstLM;
         if(s<0) s+=12;
         if(s<=n) {
            t = lDPOS[s] + Number(RegExp.$2) - 1;
            if(t>=0 && t<cld.length && cld[t].isLeap!=true) {
               cld[t].lunarFestival += RegExp.$4 + ' ';
               if(RegExp.$3=='*') cld[t].color = 'red';
            }
         }
      }
}

function calEaster(cld, y, m) {
   var E;
   if(m!=2 && m!=3) return;
   E = new easter(y);
   if(m==E.m) cld[E.d-1].solarFestival += ' 复活节 Easter Sunday';
}

// A birthday of our own on 21 March.
function calLabel(cld, m) {
   if(m==2) cld[20].solarFestival += unescape(' %u4F5C%u8005%u751F%u65E5');
}

function calFriday13(cld) {
   if((cld.firstWeek+12)%7==5) cld[12].solarFestival += '黑色星期五';
}

function calToday(cld, y, m) {
   if(y==tY && m==tM && todayNote=='') cld[tD-1].isToday = true;
}

// Easter Sunday of year y: the first Sunday after the 15th of the lunar
// month in which the spring equinox (春分) falls, or of the next lunar month
// when the equinox is on or after that 15th. m counts from 0, d is the day.
function easter(y) {
   var term2 = sTerm(y,5);
   var dayTerm2 = new Date(Date.UTC(y,2,term2,0,0,0,0));
   // Convert the equinox's own calendar date wherever the page runs: the UTC
   // instant above would read as the day before west of Greenwich.
   var lDayTerm2 = new Lunar(new Date(y,2,term2));
   var lMlen;

   if(lDayTerm2.day<15) lMlen = 15-lDayTerm2.day;
   else lMlen = (lDayTerm2.isLeap? leapDays(y): monthDays(y,lDayTerm2.month)) - lDayTerm2.day + 15;

   var l15 = new Date(dayTerm2.getTime() + 86400000*lMlen);
   var dayEaster = new Date(l15.getTime() + 86400000*(7-l15.getUTCDay()));

   this.m = dayEaster.getUTCMonth();
   this.d = dayEaster.getUTCDate();
}
