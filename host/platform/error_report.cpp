#include "platform/error_report.h"

#include <gtk/gtk.h>

#include <iostream>

namespace kestrun {

void reportRuntimeError(const std::exception& error) {
    std::cerr << "kestrun: " << error.what() << std::endl;
    if (gdk_display_get_default() == nullptr) return;

    GtkWidget* dialog =
        gtk_message_dialog_new(nullptr, GTK_DIALOG_MODAL, GTK_MESSAGE_ERROR, GTK_BUTTONS_OK, "%s", error.what());
    gtk_window_set_title(GTK_WINDOW(dialog), "Kestrun");
    gtk_dialog_run(GTK_DIALOG(dialog));
    gtk_widget_destroy(dialog);
}

}  // namespace kestrun
