// The ten heavenly stems and twelve earthly branches of the sexagenary
// cycle, and the zodiac animal of each branch.
var Gan=new Array("甲","乙","丙","丁","戊","己","庚","辛","壬","癸");
var Zhi=new Array("子","丑","寅","卯","辰","巳","午","未","申","酉","戌","亥");
var Animals=new Array("鼠","牛","虎","兔","龙","蛇","马","羊","猴","鸡","狗","猪");

// The 24 solar terms from 小寒, and the minutes from 小寒 to each term.
var solarTerm=new Array("小寒","大寒","立春","雨水","惊蛰","春分","清明","谷雨",
   "立夏","小满","芒种","夏至","小暑","大暑","立秋","处暑",
   "白露","秋分","寒露","霜降","立冬","小雪","大雪","冬至");
var sTermInfo=new Array(0,21208,42467,63836,85337,107014,128867,150921,
   173149,195551,218072,240693,263343,285989,308563,331033,
   353350,375494,397447,419210,440795,462224,483532,504758);

// Weekday and digit characters (index 0 is Sunday and the zero digit), and
// the tens prefixes of lunar day numbers.
var nStr1=new Array("日","一","二","三","四","五","六","七","八","九","十");
var nStr2=new Array("初","十","廿","卅","□");
