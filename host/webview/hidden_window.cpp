#include "webview/hidden_window.h"

namespace kestrun {

namespace {

// The last visibility the window was told of; only events say it.
constexpr const char* obscuredKey = "kestrun-window-obscured";

// The engine stops drawing by itself for a minimised window only; a window
// withdrawn by the window manager (another desktop) or covered by others
// would still have its page drawn every time the clocks change.
void update(GtkWidget* view, GdkWindowState state) {
    const bool hidden = (state & (GDK_WINDOW_STATE_WITHDRAWN | GDK_WINDOW_STATE_ICONIFIED)) != 0 ||
                        g_object_get_data(G_OBJECT(view), obscuredKey) != nullptr;
    if (gtk_widget_get_child_visible(view) != hidden) return;
    gtk_widget_set_child_visible(view, !hidden);
}

gboolean onWindowState(GtkWidget*, GdkEventWindowState* event, gpointer view) {
    update(GTK_WIDGET(view), event->new_window_state);
    return FALSE;
}

gboolean onVisibility(GtkWidget* window, GdkEventVisibility* event, gpointer view) {
    const bool obscured = event->state == GDK_VISIBILITY_FULLY_OBSCURED;
    g_object_set_data(G_OBJECT(view), obscuredKey, obscured ? GINT_TO_POINTER(1) : nullptr);
    update(GTK_WIDGET(view), gdk_window_get_state(gtk_widget_get_window(window)));
    return FALSE;
}

}  // namespace

void pauseDrawingWhileHidden(GtkWidget* window, GtkWidget* view) {
    gtk_widget_add_events(window, GDK_VISIBILITY_NOTIFY_MASK);
    g_signal_connect_object(window, "window-state-event", G_CALLBACK(onWindowState), view, G_CONNECT_DEFAULT);
    g_signal_connect_object(window, "visibility-notify-event", G_CALLBACK(onVisibility), view, G_CONNECT_DEFAULT);
}

}  // namespace kestrun
