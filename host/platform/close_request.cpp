#include "platform/close_request.h"

namespace kestrun {

// Every event of the display passes here on its way to GTK, which applies its
// grab rule only after.
CloseRequestWatch::CloseRequestWatch(GtkWidget* window, std::function<void()> close)
    : window_(window), close_(std::move(close)) {
    gdk_event_handler_set(onEvent, this, nullptr);
}

CloseRequestWatch::~CloseRequestWatch() {
    gdk_event_handler_set(reinterpret_cast<GdkEventFunc>(gtk_main_do_event), nullptr, nullptr);
}

void CloseRequestWatch::onEvent(GdkEvent* event, gpointer self) {
    auto* watch = static_cast<CloseRequestWatch*>(self);
    if (event->type == GDK_DELETE && event->any.window != nullptr &&
        event->any.window == gtk_widget_get_window(watch->window_))
        watch->close_();
    gtk_main_do_event(event);
}

}  // namespace kestrun
