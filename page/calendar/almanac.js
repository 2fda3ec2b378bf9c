// The day's almanac (黄历). The month is the month pillar's, which turns on
// each 节 day (寅 from 立春 ... 丑 from 小寒), and the day is the day pillar:
// both come from the month model. The word lists and the fixed texts are the
// tables of almanac-data.js, made at build time from data/almanac-*.tsv.

var jianChuText = new Array("建","除","满","平","定","执","破","危","成","收","开","闭");
var tianShenText = new Array("青龙","明堂","天刑","朱雀","金匮","天德","白虎","玉堂","天牢","玄武","司命","勾陈");
var huangDaoShen = "青龙 明堂 金匮 天德 玉堂 司命";
var shaText = "南东北西";      // by the day's branch modulo 4: 申子辰 南, 巳酉丑 东, 寅午戌 北, 亥卯未 西

// The days the almanac covers: from the first day of the lunar table.
var almanacFirst = Date.UTC(1900,0,31);
var almanacLast = Date.UTC(2100,11,31);

// One day's almanac. cM and cD are the month and day pillars ("丙子",
// "丙辰"); dayNum counts days from 1970-01-01.
function Almanac(cM, cD, dayNum) {
   var g = Gan.indexOf(cD.charAt(0)), z = Zhi.indexOf(cD.charAt(1));
   var n = (6*g - 5*z + 60) % 60;      // the day's number in the cycle: n % 10 == g, n % 12 == z
   var mz = Zhi.indexOf(cM.charAt(1));
   var row = almanacRow(mz, n);
   var god = tianShenText[(z - ((mz + 10) % 6)*2 + 12) % 12];

   this.yi       = almanacWords(row[0], almanacActs);
   this.ji       = almanacWords(row[1], almanacActs);
   this.jiShen   = almanacWords(row[2], almanacGods);
   this.xiongSha = almanacWords(row[3], almanacGods);
   this.jianChu  = jianChuText[(z - mz + 12) % 12];
   this.tianShen = god;
   this.huangDao = huangDaoShen.indexOf(god) >= 0;
   this.chongSha = '冲' + Animals[(z+6)%12] + '(' + Gan[(g+4)%10] + Zhi[(z+6)%12] + ')煞' + shaText.charAt(z%4);
   this.xiu      = xiuText[((dayNum - 10957) % 28 + 28) % 28];    // key 0 is 2000-01-01
   this.pengZu   = pengZuGan[g] + ' ' + pengZuZhi[z];
   this.naYin    = naYinText[n];
   this.taiShen  = taiShenText[n];
}

// The four coded lists of month branch mz and day number n (0 = 甲子) of the
// cycle; a month's rows are split once, when first asked for.
var almanacRows = new Array(12);
function almanacRow(mz, n) {
   var i = (mz + 10) % 12;      // the tables start at 寅
   if(almanacRows[i] == undefined) almanacRows[i] = almanacMonths[i].split('!');
   return(almanacRows[i][n].split(' '));
}

// The words of a coded list: a character of almanacCode is a word's number,
// its last character says that the next one counts from there on.
function almanacWords(code, words) {
   var list = new Array(), last = almanacCode.length - 1, i, k;
   for(i=0; i<code.length; i++) {
      k = almanacCode.indexOf(code.charAt(i));
      if(k == last) k += almanacCode.indexOf(code.charAt(++i));
      list.push(words[k]);
   }
   return(list);
}

// The almanac of day d of year y, month m (0 = January); null outside
// 1900-01-31 to 2100-12-31. The month model asked for last is kept, as the
// days of one month are usually asked for together.
var almanacCld = null, almanacKey = -1;
function dayAlmanac(y, m, d) {
   var t = Date.UTC(y, m, d), day = new Date(t);
   // Date.UTC rounds and carries over (30 February is 2 March): not a date then.
   if(!(t >= almanacFirst && t <= almanacLast) || day.getUTCFullYear() != y || day.getUTCMonth() != m || day.getUTCDate() != d)
      return(null);
   if(almanacKey != y*12+m) { almanacCld = new calendar(y, m); almanacKey = y*12+m; }
   return(new Almanac(almanacCld[d-1].cMonth, almanacCld[d-1].cDay, t/86400000));
}
