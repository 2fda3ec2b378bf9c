#include "platform/display_loss.h"

#include <gdk/gdkx.h>
#include <unistd.h>

#include <exception>
#include <iostream>

namespace kestrun {

namespace {

std::function<void()>& lostHandler() {
    static std::function<void()> handler;
    return handler;
}

// In place of the toolkit's handler, which only reports and ends the program.
// Xlib ends the program when this returns, so it ends it itself.
int onIoError(Display*) {
    std::cerr << "kestrun: lost the connection to the display" << std::endl;
    try {
        if (auto lost = std::move(lostHandler())) lost();
    } catch (const std::exception& error) {
        std::cerr << "kestrun: " << error.what() << std::endl;
    }
    _exit(1);
}

}  // namespace

void onDisplayLost(std::function<void()> lost) {
    if (!GDK_IS_X11_DISPLAY(gdk_display_get_default())) return;
    lostHandler() = std::move(lost);
    XSetIOErrorHandler(onIoError);
}

}  // namespace kestrun
