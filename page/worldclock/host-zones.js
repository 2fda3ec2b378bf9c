// Offsets from the system's time-zone database. The program gives the page,
// before any of its scripts runs, the global hostZones: for a span of time
// (from, until: time values), the rows of the local time (local) and of each
// zone id (zones), a row being [start, offset east of UTC in ms, 1 while on
// summer time], the first one starting at from. Without it (the page opened
// outside the program), outside its span, or for an id it does not hold, the
// clocks keep their own rules.

// The row in force at time value t, or null.
function hostRow(rows, t) {
   if (!rows || t < hostZones.from || t > hostZones.until) return null;
   var row = null;
   for (var i = 0; i < rows.length && rows[i][0] <= t; i++) row = rows[i];
   return row;
}

// The host's row at t for a timeData entry, found by its place in the table.
function zoneRow(entry, t) {
   if (typeof hostZones != "object") return null;
   var a = 0;
   for (var continent in timeData) {
      var c = 0;
      for (var country in timeData[continent]) {
         if (timeData[continent][country] === entry) return hostRow(hostZones.zones[zoneIds[a][c]], t);
         c++;
      }
      a++;
   }
   return null;
}

// A date whose UTC fields read as the local wall clock at objD by the host's
// offsets, or null where the host gave none.
function hostLocal(objD) {
   if (typeof hostZones != "object") return null;
   var row = hostRow(hostZones.local, objD.getTime());
   return row ? new Date(objD.getTime() + row[1]) : null;
}
