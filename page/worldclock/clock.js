// The two clocks, the zone menus and the map strip. LocalTime, GlobeTime,
// City, world and map are the column's elements, reached by their ids.
var isDS = false;
var objTimeZone;
var objContinentMenu;
var objCountryMenu;

function twoDigits(n) {
   return (n < 10 ? "0" : "") + n;
}

// "2003年7月1日 (二) 上午 02:00:00". Twelve-hour clock as the page has always
// shown it: 12:xx is still 上午 and 00:xx stays 00.
function timeText(year, month, day, weekDay, hour, minute, second) {
   var word = "上午";
   if (hour > 12) {
      hour = hour - 12;
      word = "下午";
   }
   return year + "年" + (month + 1) + "月" + day + "日 (" + nStr1[weekDay] + ") " +
      word + " " + twoDigits(hour) + ":" + twoDigits(minute) + ":" + twoDigits(second);
}

// The local clock: by the host's local offsets where it gives them.
function showLocale(objD) {
   var local = hostLocal(objD);
   if (local) return showUTC(local);
   return timeText(objD.getFullYear(), objD.getMonth(), objD.getDate(), objD.getDay(),
      objD.getHours(), objD.getMinutes(), objD.getSeconds());
}

function showUTC(objD) {
   return timeText(objD.getUTCFullYear(), objD.getUTCMonth(), objD.getUTCDate(), objD.getUTCDay(),
      objD.getUTCHours(), objD.getUTCMinutes(), objD.getUTCSeconds());
}

// The chosen zone's wall clock: by the host's offsets where it gives them,
// else its standard time, one hour later while on daylight saving. Leaves
// isDS set for the marker in City.
function getGlobeTime() {
   var d = new Date();
   var row = zoneRow(objTimeZone, d.getTime());
   if (row) {
      isDS = row[2] == 1;
      d.setTime(d.getTime() + row[1]);
      return showUTC(d);
   }
   d.setTime(d.getTime() + parseOffset(objTimeZone[0]));
   isDS = isDaylightSaving(d, objTimeZone[1]);
   if (isDS) d.setTime(d.getTime() + OneHour);
   return showUTC(d);
}

function tick() {
   LocalTime.innerHTML = showLocale(new Date());
   GlobeTime.innerHTML = getGlobeTime();
   window.setTimeout("tick()", 1000);
}

// A remembered index is decimal text from a cookie. One that names no entry
// of the table as it is now (edited by hand, written against another table,
// "TZ1" without "TZ2") would leave the menus without a selection and stop the
// start-up, so such a choice falls back to Asia, China.
function isMenuIndex(value, count) {
   return /^[0-9]+$/.test(String(value)) && Number(value) < count;
}

function keyCount(table) {
   var n = 0;
   for (var key in table) n++;
   return n;
}

function isZoneChoice(a, c) {
   var continents = [];
   for (var key in timeData) continents[continents.length] = key;
   return isMenuIndex(a, continents.length) &&
      isMenuIndex(c, keyCount(timeData[continents[Number(a)]]));
}

function setTZ(a, c) {
   if (!isZoneChoice(a, c)) {
      a = 0;
      c = 3;
   }
   objContinentMenu.selectedIndex = Number(a);
   chContinent();
   objCountryMenu.selectedIndex = Number(c);
   chCountry();
}

function selectedText(menu) {
   return menu.options[menu.selectedIndex].text;
}

// A new continent always opens on its first country.
function chContinent() {
   var countries = timeData[selectedText(objContinentMenu)];
   var n = objCountryMenu.options.length;
   for (var i = 0; i < n; i++) objCountryMenu.options[0] = null;
   for (var country in countries)
      objCountryMenu.options[objCountryMenu.options.length] = new Option(country);
   objCountryMenu.selectedIndex = 0;
   chCountry();
}

// Map strip shift in pixels: 10 per whole hour east of UTC, minutes dropped,
// western offsets taken as the same hour of the previous day (-1 is +23).
function mapShift(offset) {
   var pos = Number(offset.substring(0, 3));
   if (pos < 0) pos = pos + 24;
   return pos * -10;
}

function chCountry() {
   objTimeZone = timeData[selectedText(objContinentMenu)][selectedText(objCountryMenu)];
   getGlobeTime();
   City.innerHTML = (isDS ? "<SPAN STYLE='font-size:12pt;font-family:Wingdings; color:Red;'>R</span> " : "") +
      objTimeZone[2];
   world.style.left = mapShift(objTimeZone[0]) + "px";
   // A screen reader names the clock with its place.
   GlobeTime.ariaLabel = '所选地区时间 ' + /(\S*)\s*$/.exec(selectedText(objCountryMenu))[1] + ' ' + objTimeZone[2];
}
