#pragma once
// The window manager's request to close a window (its close button, Alt+F4,
// a task bar's or the session's close). GTK drops the request without a word
// while another window of the program holds a grab: an open list of the page
// (the engine's select pop-up) or a menu. The close would then be lost.

#include <gtk/gtk.h>

#include <functional>

namespace kestrun {

// While it lives, runs `close` for each request to close `window`, grab or
// not, before GTK handles the request (the window's delete-event may follow).
// One at a time: it takes over the toolkit's event handler.
class CloseRequestWatch {
public:
    CloseRequestWatch(GtkWidget* window, std::function<void()> close);
    ~CloseRequestWatch();
    CloseRequestWatch(const CloseRequestWatch&) = delete;
    CloseRequestWatch& operator=(const CloseRequestWatch&) = delete;

private:
    static void onEvent(GdkEvent* event, gpointer self);

    GtkWidget* window_;
    std::function<void()> close_;
};

}  // namespace kestrun
