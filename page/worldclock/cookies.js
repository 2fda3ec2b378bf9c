// The remembered zone lives in two cookies of the page, kept for a year after
// the last run.
function setCookie(name, value) {
   var expires = new Date();
   expires.setTime(expires.getTime() + 1000 * 60 * 60 * 24 * 365);
   document.cookie = name + "=" + escape(value) + "; expires=" + expires.toGMTString();
}

// The value of the first "Name=" found in the cookie text, or "" when none.
function getCookie(Name) {
   var search = Name + "=";
   var cookies = document.cookie;
   if (cookies.length == 0) return "";
   var offset = cookies.indexOf(search);
   if (offset == -1) return "";
   offset += search.length;
   var end = cookies.indexOf(";", offset);
   if (end == -1) end = cookies.length;
   return unescape(cookies.substring(offset, end));
}
