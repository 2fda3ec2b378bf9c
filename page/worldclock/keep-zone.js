// A zone chosen in the menus is kept at once, not only when the page unloads,
// so that a program that is killed or loses its session keeps it too; the
// writing is terminate()'s own, same cookies, same expiry. The change reaches
// the document after the menu's own handler has shown the new zone.
function keepZone(e) {
   var menu = (e || window.event).target;
   if (menu && (menu == objContinentMenu || menu == objCountryMenu)) terminate();
}
document.onchange = keepZone;

// The host names a cookie store that does not keep the choices: text is the
// store and the reason, or '' once it keeps them again.
function storeNotice(text) {
   SE.innerText = text == '' ? '' : '无法保存所选时区：' + text;
}
