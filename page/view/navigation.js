// Navigation: the year and month selectors of form CLD and the buttons
// beside the grid. Setting selectedIndex from a script raises no change
// event, so every move ends in changeCld() itself.

// Draws the month the two selectors show.
function changeCld() {
   var y, m;
   y = CLD.SY.selectedIndex + 1900;
   m = CLD.SM.selectedIndex;
   drawCld(y, m);
}

// Button keys: YU/YD previous/next year, MU/MD previous/next month, anything
// else the month of the load date. The year stays within 1900..2100; the
// month wraps even where the year cannot move.
function pushBtm(K) {
   switch (K) {
      case 'YU':
         if (CLD.SY.selectedIndex > 0) CLD.SY.selectedIndex--;
         break;
      case 'YD':
         if (CLD.SY.selectedIndex < 200) CLD.SY.selectedIndex++;
         break;
      case 'MU':
         if (CLD.SM.selectedIndex > 0) {
            CLD.SM.selectedIndex--;
         }
         else {
            CLD.SM.selectedIndex = 11;
            if (CLD.SY.selectedIndex > 0) CLD.SY.selectedIndex--;
         }
         break;
      case 'MD':
         if (CLD.SM.selectedIndex < 11) {
            CLD.SM.selectedIndex++;
         }
         else {
            CLD.SM.selectedIndex = 0;
            if (CLD.SY.selectedIndex < 200) CLD.SY.selectedIndex++;
         }
         break;
      default:
         CLD.SY.selectedIndex = tY - 1900;
         CLD.SM.selectedIndex = tM;
   }
   changeCld();
}
