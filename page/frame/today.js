// The page-load date: taken once while the script is parsed and never renewed,
// so a page left open past midnight still treats its load day as today.
var Today = new Date();
var tY = Today.getFullYear();
var tM = Today.getMonth();
var tD = Today.getDate();
