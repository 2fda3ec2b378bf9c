// A small window that offers one URI for dragging, as a file manager does, so
// that a test can drag a file onto the program with the real pointer.
//   drag-source URI
// Prints "dropped" or "refused" when a drag ends.
#include <gtk/gtk.h>

#include <cstdio>

namespace {

void supply(GtkWidget*, GdkDragContext*, GtkSelectionData* data, guint, guint, gpointer uri) {
    gchar* uris[] = {static_cast<gchar*>(uri), nullptr};
    gtk_selection_data_set_uris(data, uris);
}

void say(const char* what) {
    std::puts(what);
    std::fflush(stdout);
}

gboolean failed(GtkWidget*, GdkDragContext*, GtkDragResult, gpointer) {
    say("refused");
    return TRUE;  // no snap-back animation to wait for
}

void ended(GtkWidget*, GdkDragContext* context, gpointer) {
    if (gdk_drag_drop_succeeded(context)) say("dropped");
}

}  // namespace

int main(int argc, char** argv) {
    gtk_init(&argc, &argv);
    if (argc != 2) return 2;
    GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_window_set_title(GTK_WINDOW(window), "drag source");
    gtk_window_set_default_size(GTK_WINDOW(window), 120, 120);
    GtkWidget* area = gtk_event_box_new();
    gtk_container_add(GTK_CONTAINER(window), area);
    gtk_drag_source_set(area, GDK_BUTTON1_MASK, nullptr, 0, GdkDragAction(GDK_ACTION_COPY | GDK_ACTION_LINK));
    gtk_drag_source_add_uri_targets(area);
    g_signal_connect(area, "drag-data-get", G_CALLBACK(supply), argv[1]);
    g_signal_connect(area, "drag-failed", G_CALLBACK(failed), nullptr);
    g_signal_connect(area, "drag-end", G_CALLBACK(ended), nullptr);
    g_signal_connect(window, "destroy", G_CALLBACK(gtk_main_quit), nullptr);
    gtk_widget_show_all(window);
    gtk_main();
    return 0;
}
