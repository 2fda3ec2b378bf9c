// The yardstick for bench/idle.mjs: a WebKitGTK window with the engine's
// defaults, the size of Kestrun's, showing a one-colour page and nothing else.
#include <gtk/gtk.h>
#include <webkit2/webkit2.h>

int main(int argc, char** argv) {
    gtk_init(&argc, &argv);
    // Both widgets belong to the window from here on and go with it.
    GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_window_set_title(GTK_WINDOW(window), "bare window");
    gtk_window_set_default_size(GTK_WINDOW(window), 437, 324);
    GtkWidget* view = webkit_web_view_new();
    gtk_container_add(GTK_CONTAINER(window), view);
    webkit_web_view_load_html(WEBKIT_WEB_VIEW(view), "<html><body style='background:#c0c0c0'></body></html>",
                              nullptr);
    g_signal_connect(window, "destroy", G_CALLBACK(gtk_main_quit), nullptr);
    gtk_widget_show_all(window);
    gtk_main();
    return 0;
}
