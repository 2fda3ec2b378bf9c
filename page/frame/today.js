// The page-load date: taken once while the script is parsed and never renewed,
// so a page left open past midnight still treats its load day as today.
// The date is the local one the host reads from the system where it gives it
// (the engine's own idea of the local zone can be out of date or, for some
// TZ settings, UTC), else the engine's.
var Today = new Date();
var tLocal = hostLocal(Today);
var tY = tLocal ? tLocal.getUTCFullYear() : Today.getFullYear();
var tM = tLocal ? tLocal.getUTCMonth() : Today.getMonth();
var tD = tLocal ? tLocal.getUTCDate() : Today.getDate();
