// The month grid: 42 day cells (6 rows of 7, Sunday first) under a heading
// with the era year, the sexagenary year and the zodiac animal.

var monthName = new Array("JAN","FEB","MAR","APR","MAY","JUN","JUL","AUG","SEP","OCT","NOV","DEC");

var cld;          // month model of the month on display
var yDisplay = ''; // era name and year of the year on display

// Markup of day cell n (row n div 7, column n mod 7), written while the page
// is parsed; drawCld fills SDn and LDn later.
function gridCell(n) {
   var color = columnColor(n);
   if (color.length > 0) color = ' color=' + color;
   return '<TD id=GD' + n + ' onMouseOver="mOvr(' + n + ')" onMouseOut="mOut()">' +
      '<FONT id=SD' + n + ' size=5 face="Arial Black"' + color + ' TITLE=""> </FONT><BR>' +
      '<FONT id=LD' + n + ' size=2 style="font-size:9pt"> </FONT></TD>';
}

// Markup of a cell text: bold, or in a font element of its colour.
function textMarkup(t) {
   if (t.bold) return '<b>' + t.text + '</b>';
   return (t.color.length > 0) ? t.text.fontcolor(t.color) : t.text;
}

// Draws month SM (0 = January) of year SY into the grid.
function drawCld(SY,SM) {
   var i, sD, sObj, lObj, era = eraText(SY);
   cld = new calendar(SY, SM);

   if (era.length > 0) yDisplay = era;
   GZ.innerHTML = yearHeading(yDisplay, SY);
   YMBG.innerHTML = '&nbsp;' + SY + '<BR>&nbsp;' + monthName[SM];

   for (i = 0; i < 42; i++) {
      sObj = eval('SD' + i);
      lObj = eval('LD' + i);
      sObj.className = '';
      sD = i - cld.firstWeek;
      if (sD > -1 && sD < cld.length) {
         sObj.innerHTML = sD + 1;
         if (cld[sD].isToday) sObj.className = 'todyaColor';
         sObj.style.color = cld[sD].color;
         lObj.innerHTML = textMarkup(lowerLine(cld[sD]));
      }
      else {
         sObj.innerHTML = '';
         lObj.innerHTML = '';
      }
   }
   drawHolidays(SY, SM);
   drawOwnDays(SY, SM);
   drawAlmanac(SY, SM);
   nameDays();
   gridStop(0);
}
