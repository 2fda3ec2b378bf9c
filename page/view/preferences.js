// Personal preferences.
// Saturday colour in the month grid: 1=黑色, 2=绿色, 3=红色, 4=隔周休
var conWeekend = 3;
