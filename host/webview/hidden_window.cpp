#include "webview/hidden_window.h"

namespace kestrun {

namespace {

// What events last said of the window; the window's state holds the rest.
constexpr const char* obscuredKey = "kestrun-window-obscured";
constexpr const char* unmappedKey = "kestrun-window-unmapped";

void remember(GtkWidget* view, const char* key, bool value) {
    g_object_set_data(G_OBJECT(view), key, value ? GINT_TO_POINTER(1) : nullptr);
}

// The engine stops drawing by itself for a minimised window only; a window
// covered by others, or unmapped by the window manager (when it shows
// another desktop), would still have its page drawn whenever the clocks
// change.
void update(GtkWidget* view, GdkWindowState state) {
    const bool hidden = (state & (GDK_WINDOW_STATE_WITHDRAWN | GDK_WINDOW_STATE_ICONIFIED)) != 0 ||
                        g_object_get_data(G_OBJECT(view), obscuredKey) != nullptr ||
                        g_object_get_data(G_OBJECT(view), unmappedKey) != nullptr;
    if (gtk_widget_get_child_visible(view) != hidden) return;
    gtk_widget_set_child_visible(view, !hidden);
}

void update(GtkWidget* window, GtkWidget* view) { update(view, gdk_window_get_state(gtk_widget_get_window(window))); }

gboolean onWindowState(GtkWidget*, GdkEventWindowState* event, gpointer view) {
    update(GTK_WIDGET(view), event->new_window_state);
    return FALSE;
}

gboolean onVisibility(GtkWidget* window, GdkEventVisibility* event, gpointer view) {
    remember(GTK_WIDGET(view), obscuredKey, event->state == GDK_VISIBILITY_FULLY_OBSCURED);
    update(window, GTK_WIDGET(view));
    return FALSE;
}

gboolean onMapEvent(GtkWidget* window, GdkEvent* event, gpointer view) {
    remember(GTK_WIDGET(view), unmappedKey, event->type == GDK_UNMAP);
    update(window, GTK_WIDGET(view));
    return FALSE;
}

}  // namespace

void pauseDrawingWhileHidden(GtkWidget* window, GtkWidget* view) {
    gtk_widget_add_events(window, GDK_VISIBILITY_NOTIFY_MASK);
    g_signal_connect_object(window, "window-state-event", G_CALLBACK(onWindowState), view, G_CONNECT_DEFAULT);
    g_signal_connect_object(window, "visibility-notify-event", G_CALLBACK(onVisibility), view, G_CONNECT_DEFAULT);
    g_signal_connect_object(window, "map-event", G_CALLBACK(onMapEvent), view, G_CONNECT_DEFAULT);
    g_signal_connect_object(window, "unmap-event", G_CALLBACK(onMapEvent), view, G_CONNECT_DEFAULT);
}

}  // namespace kestrun
