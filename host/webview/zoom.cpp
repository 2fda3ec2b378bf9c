#include "webview/zoom.h"

#include "platform/settings_file.h"

#include <array>
#include <iostream>
#include <stdexcept>

namespace kestrun {

namespace {

constexpr const char* group = "Window";
constexpr const char* key = "zoom";
constexpr std::array<double, 13> steps{0.5, 0.67, 0.75, 0.8, 0.9, 1.0, 1.1, 1.25, 1.5, 1.75, 2.0, 2.5, 3.0};
// A level read back from the file may differ from its step in the last digits.
constexpr double near = 0.005;

bool controlOnly(guint state) {
    const guint mods = state & gtk_accelerator_get_default_mod_mask();
    return (mods & ~GDK_SHIFT_MASK) == GDK_CONTROL_MASK;
}

// The next level from `level` in the steps browsers use, one step in or out
// (direction > 0 or < 0); the same level at either end.
double zoomStep(double level, int direction) {
    if (direction > 0) {
        for (double step : steps)
            if (step > level + near) return step;
        return steps.back();
    }
    for (auto step = steps.rbegin(); step != steps.rend(); ++step)
        if (*step < level - near) return *step;
    return steps.front();
}

// The level a key file keeps: 1 (100 %) when it keeps none. Throws
// std::invalid_argument when the value is no number or out of range.
double zoomFrom(GKeyFile* settings) {
    if (!g_key_file_has_key(settings, group, key, nullptr)) return 1.0;
    GErrorOut error;
    const double level = g_key_file_get_double(settings, group, key, error.out());
    if (error) throw std::invalid_argument(error.get()->message);
    if (!(level >= steps.front() - near && level <= steps.back() + near))
        throw std::invalid_argument("the value of zoom is out of range");
    return level;
}

void storeZoom(GKeyFile* settings, double level) { g_key_file_set_double(settings, group, key, level); }

// The symbol of the key pressed without Shift: "=" for the "+" of the main
// keyboard, whichever symbol the layout reports for the shifted key.
guint unshifted(const GdkEventKey* event) {
    guint keyval = GDK_KEY_VoidSymbol;
    if (!gdk_keymap_translate_keyboard_state(gdk_keymap_get_for_display(gdk_window_get_display(event->window)),
                                             event->hardware_keycode,
                                             static_cast<GdkModifierType>(event->state & ~GDK_SHIFT_MASK),
                                             event->group, &keyval, nullptr, nullptr, nullptr))
        return GDK_KEY_VoidSymbol;
    return keyval;
}

}  // namespace

PageZoom::PageZoom(GtkWindow* window, WebKitWebView* view, std::string path)
    : window_(window), view_(view), path_(std::move(path)) {
    // On the window, ahead of the page: the page's own keys never see these.
    g_signal_connect(window_, "key-press-event", G_CALLBACK(onKey), this);
    g_signal_connect(view_, "scroll-event", G_CALLBACK(onScroll), this);
}

PageZoom::~PageZoom() {
    g_signal_handlers_disconnect_by_data(window_, this);
    g_signal_handlers_disconnect_by_data(view_, this);
}

void PageZoom::restore() {
    try {
        GKeyFilePtr settings = readSettings(path_);
        if (settings) webkit_web_view_set_zoom_level(view_, zoomFrom(settings.get()));
    } catch (const std::exception& error) {
        std::cerr << "kestrun: cannot use the zoom level kept in " << path_ << " (" << error.what()
                  << "); the page shows at 100 %" << std::endl;
    }
}

void PageZoom::change(double level) {
    webkit_web_view_set_zoom_level(view_, level);
    try {
        GKeyFilePtr settings = settingsToUpdate(path_);
        storeZoom(settings.get(), level);
        writeSettings(path_, settings.get());
    } catch (const std::exception& error) {
        std::cerr << "kestrun: the zoom level is not kept: " << error.what() << std::endl;
    }
}

gboolean PageZoom::onKey(GtkWidget*, GdkEventKey* event, gpointer self) {
    auto* zoom = static_cast<PageZoom*>(self);
    if (!controlOnly(event->state)) return FALSE;
    const double level = webkit_web_view_get_zoom_level(zoom->view_);
    // Ctrl+Shift+= zooms in as Ctrl+= does, Ctrl+Shift+- out as Ctrl+- does.
    const guint key = event->keyval == GDK_KEY_plus || (event->state & GDK_SHIFT_MASK) == 0 ? event->keyval
                                                                                            : unshifted(event);
    switch (key) {
        case GDK_KEY_plus:
        case GDK_KEY_equal:
        case GDK_KEY_KP_Add: zoom->change(zoomStep(level, 1)); return TRUE;
        case GDK_KEY_minus:
        case GDK_KEY_KP_Subtract: zoom->change(zoomStep(level, -1)); return TRUE;
        case GDK_KEY_0:
        case GDK_KEY_KP_0: zoom->change(1.0); return TRUE;
        default: return FALSE;
    }
}

gboolean PageZoom::onScroll(GtkWidget*, GdkEventScroll* event, gpointer self) {
    auto* zoom = static_cast<PageZoom*>(self);
    if (!controlOnly(event->state)) return FALSE;
    double dy = 0;
    if (event->direction == GDK_SCROLL_UP) dy = -1;
    if (event->direction == GDK_SCROLL_DOWN) dy = 1;
    if (event->direction == GDK_SCROLL_SMOOTH) dy = event->delta_y;
    // Sideways and tiny smooth steps zoom nothing, but are not scrolled either.
    if (dy != 0) zoom->change(zoomStep(webkit_web_view_get_zoom_level(zoom->view_), dy < 0 ? 1 : -1));
    return TRUE;
}

}  // namespace kestrun
