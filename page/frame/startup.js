// Start-up on the page's load event: the world clock first, then the calendar.
function initialize() {
   map.filters.Light.Clear();
   map.filters.Light.addAmbient(255,255,255,60);
   map.filters.Light.addCone(120, 60, 80, 120, 60, 255,255,255,120,60);

   objContinentMenu = document.WorldClock.continentMenu;
   objCountryMenu = document.WorldClock.countryMenu;
   for (var continent in timeData)
      objContinentMenu.options[objContinentMenu.options.length] = new Option(continent);

   var TZ1 = getCookie('TZ1');
   var TZ2 = getCookie('TZ2');
   if (TZ1 == '') { TZ1 = 0; TZ2 = 3; }
   setTZ(TZ1,TZ2);
   tick();

   dStyle = detail.style;
   startHolidays();
   startAlmanac();
   useOwnDays();
   CLD.SY.selectedIndex = tY-1900;
   CLD.SM.selectedIndex = tM;
   drawCld(tY,tM);
   TN.innerText = todayNote;
}

// Shut-down on the page's unload event: remember the chosen zone and whether
// the holidays and the almanac are shown.
function terminate() {
   setCookie("TZ1", objContinentMenu.selectedIndex);
   setCookie("TZ2", objCountryMenu.selectedIndex);
   saveHolidays();
   saveAlmanac();
}
