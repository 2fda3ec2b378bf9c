// Display width of a text in a terminal: East Asian wide and fullwidth
// characters take two columns, the others one. Written by hand because these
// scripts run in JavaScriptCore inside kestrun-cal, where no library can be
// loaded; the ranges cover what the calendar prints (CJK ideographs and
// punctuation, fullwidth forms) and the other wide blocks of the BMP.
var wideRanges = [[0x1100, 0x115f], [0x2e80, 0x303e], [0x3041, 0x33ff],
   [0x3400, 0x4dbf], [0x4e00, 0x9fff], [0xa000, 0xa4cf], [0xac00, 0xd7a3],
   [0xf900, 0xfaff], [0xfe30, 0xfe4f], [0xff00, 0xff60], [0xffe0, 0xffe6],
   [0x1f300, 0x1f64f], [0x20000, 0x3fffd]];

function charWidth(code) {
   var i;
   for (i = 0; i < wideRanges.length; i++)
      if (code >= wideRanges[i][0] && code <= wideRanges[i][1]) return 2;
   return 1;
}

// The characters of s, a surrogate pair being one.
function textChars(s) {
   return s.match(/[\ud800-\udbff][\udc00-\udfff]|[\s\S]/g) || [];
}

function textWidth(s) {
   var chars = textChars(s), i, w = 0;
   for (i = 0; i < chars.length; i++) w += charWidth(chars[i].codePointAt(0));
   return w;
}

// The longest start of s that takes at most width columns: a wide
// character that would not fit whole is left out.
function cutText(s, width) {
   var chars = textChars(s), i, w = 0, out = '';
   for (i = 0; i < chars.length; i++) {
      w += charWidth(chars[i].codePointAt(0));
      if (w > width) break;
      out += chars[i];
   }
   return out;
}

function spaces(n) {
   return (n > 0) ? new Array(n + 1).join(' ') : '';
}

// shown (the text as printed, colour codes and all) centred in width
// columns, where text is what it shows; the odd column goes to the right.
function centreText(shown, text, width) {
   var room = width - textWidth(text), left = Math.floor(room / 2);
   return spaces(left) + shown + spaces(room - left);
}
