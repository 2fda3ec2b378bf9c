#pragma once
// Keeps the page from being drawn while its window cannot be seen.

#include <gtk/gtk.h>

namespace kestrun {

// From now on, while `window` is minimised, wholly covered or unmapped by
// the window manager (on another desktop), `view` is unmapped, so the
// engine treats the page as hidden and draws nothing; it draws the page
// afresh once the window is seen again. The page's script runs on as before.
void pauseDrawingWhileHidden(GtkWidget* window, GtkWidget* view);

}  // namespace kestrun
