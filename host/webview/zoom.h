#pragma once
// Page zoom for users who need larger (or smaller) text: Ctrl+plus,
// Ctrl+minus, Ctrl+0 and Ctrl+wheel scale the whole page between 50 % and
// 300 %. The level is kept in the window's settings file, key "zoom" of its
// [Window] group, as soon as it changes.

#include <gtk/gtk.h>
#include <webkit2/webkit2.h>

#include <string>

namespace kestrun {

class PageZoom {
public:
    // Listens to the keys of `window` and the wheel over `view`.
    PageZoom(GtkWindow* window, WebKitWebView* view, std::string path);
    ~PageZoom();
    PageZoom(const PageZoom&) = delete;
    PageZoom& operator=(const PageZoom&) = delete;

    // The kept level, if any; one that cannot be used is reported on stderr.
    void restore();

private:
    void change(double level);
    static gboolean onKey(GtkWidget*, GdkEventKey* event, gpointer self);
    static gboolean onScroll(GtkWidget*, GdkEventScroll* event, gpointer self);

    GtkWindow* window_;
    WebKitWebView* view_;
    std::string path_;
};

}  // namespace kestrun
