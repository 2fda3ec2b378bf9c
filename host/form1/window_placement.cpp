#include "form1/window_placement.h"

#include "platform/runtime_error.h"
#include "platform/settings_file.h"

#include <algorithm>
#include <iostream>
#include <stdexcept>

namespace kestrun {

namespace {

constexpr const char* group = "Window";
// X keeps coordinates and sizes in 16 bits.
constexpr int largest = 32767;
// The least of the window a monitor must show, each way, for the user to be
// able to take hold of it.
constexpr int grip = 32;
// How long the window must stay as it is before its placement is written.
constexpr guint saveDelayMs = 500;

// One line for the log: a run-time error's reason alone.
std::string reasonOf(const std::exception& error) {
    if (const auto* runtime = dynamic_cast<const RuntimeError*>(&error)) return runtime->reason();
    return error.what();
}

int integer(GKeyFile* settings, const char* key, int low, int high) {
    GErrorOut error;
    const int value = g_key_file_get_integer(settings, group, key, error.out());
    if (error) throw std::invalid_argument(error.get()->message);
    if (value < low || value > high)
        throw std::invalid_argument(std::string("the value of ") + key + " is out of range");
    return value;
}

std::vector<GdkRectangle> monitorAreas() {
    std::vector<GdkRectangle> areas;
    GdkDisplay* display = gdk_display_get_default();
    for (int i = 0, n = gdk_display_get_n_monitors(display); i < n; ++i) {
        GdkRectangle area{};
        gdk_monitor_get_geometry(gdk_display_get_monitor(display, i), &area);
        areas.push_back(area);
    }
    return areas;
}

}  // namespace

WindowPlacement placementFrom(GKeyFile* settings) {
    WindowPlacement placement{};
    placement.x = integer(settings, "x", -largest, largest);
    placement.y = integer(settings, "y", -largest, largest);
    placement.width = integer(settings, "width", 1, largest);
    placement.height = integer(settings, "height", 1, largest);
    GErrorOut error;
    placement.maximized = g_key_file_get_boolean(settings, group, "maximized", error.out());
    if (error) throw std::invalid_argument(error.get()->message);
    return placement;
}

void storePlacement(GKeyFile* settings, const WindowPlacement& placement) {
    g_key_file_set_integer(settings, group, "x", placement.x);
    g_key_file_set_integer(settings, group, "y", placement.y);
    g_key_file_set_integer(settings, group, "width", placement.width);
    g_key_file_set_integer(settings, group, "height", placement.height);
    g_key_file_set_boolean(settings, group, "maximized", placement.maximized);
}

bool shownByAMonitor(const WindowPlacement& placement, const std::vector<GdkRectangle>& monitors) {
    const GdkRectangle window{placement.x, placement.y, placement.width, placement.height};
    return std::any_of(monitors.begin(), monitors.end(), [&](const GdkRectangle& monitor) {
        GdkRectangle shown{};
        return gdk_rectangle_intersect(&window, &monitor, &shown) && shown.width >= std::min(grip, window.width) &&
               shown.height >= std::min(grip, window.height);
    });
}

PlacementKeeper::PlacementKeeper(GtkWindow* window, std::string path) : window_(window), path_(std::move(path)) {
    g_signal_connect(window_, "configure-event", G_CALLBACK(onConfigure), this);
    g_signal_connect(window_, "window-state-event", G_CALLBACK(onWindowState), this);
}

PlacementKeeper::~PlacementKeeper() {
    if (saveTimeout_ != 0) g_source_remove(saveTimeout_);
    g_signal_handlers_disconnect_by_data(window_, this);
}

void PlacementKeeper::restore() {
    WindowPlacement placement{};
    try {
        GKeyFilePtr settings = readSettings(path_);
        if (!settings) return;  // the first start
        placement = placementFrom(settings.get());
    } catch (const std::exception& error) {
        std::cerr << "kestrun: cannot use the window settings in " << path_ << " (" << reasonOf(error)
                  << "); the window opens at its designed size" << std::endl;
        return;
    }
    if (!shownByAMonitor(placement, monitorAreas())) {
        std::cerr << "kestrun: no monitor shows the window position kept in " << path_ << " (" << placement.x << ", "
                  << placement.y << "); the window opens at its designed size" << std::endl;
        return;
    }
    gtk_window_set_default_size(window_, placement.width, placement.height);
    gtk_window_move(window_, placement.x, placement.y);
    if (placement.maximized) gtk_window_maximize(window_);
    // A window that opens maximised is never seen in its normal state, which
    // it keeps all the same.
    normal_ = placement;
    normalSeen_ = true;
    saved_ = placement;
    savedOnce_ = true;
}

void PlacementKeeper::save() {
    if (saveTimeout_ != 0) g_source_remove(saveTimeout_);
    saveTimeout_ = 0;
    const WindowPlacement placement = current();
    if (savedOnce_ && placement == saved_) return;
    try {
        // Other keys of a readable file (the zoom) stay; an unreadable one is replaced.
        GKeyFilePtr settings = settingsToUpdate(path_);
        storePlacement(settings.get(), placement);
        writeSettings(path_, settings.get());
        saved_ = placement;
        savedOnce_ = true;
    } catch (const std::exception& error) {
        std::cerr << "kestrun: the window's size and position are not kept: " << reasonOf(error) << std::endl;
    }
}

bool PlacementKeeper::inNormalState() const {
    GdkWindow* window = gtk_widget_get_window(GTK_WIDGET(window_));
    if (window == nullptr) return true;
    return (gdk_window_get_state(window) &
            (GDK_WINDOW_STATE_MAXIMIZED | GDK_WINDOW_STATE_FULLSCREEN | GDK_WINDOW_STATE_ICONIFIED)) == 0;
}

WindowPlacement PlacementKeeper::current() const {
    WindowPlacement placement = normal_;
    if (inNormalState() || !normalSeen_) {
        gtk_window_get_position(window_, &placement.x, &placement.y);
        gtk_window_get_size(window_, &placement.width, &placement.height);
    }
    placement.maximized = gtk_window_is_maximized(window_);
    return placement;
}

// Moving or resizing sends a stream of events; the file is written once they
// have stopped for a moment.
void PlacementKeeper::changed() {
    if (inNormalState()) {
        normal_ = current();
        normalSeen_ = true;
    }
    if (saveTimeout_ != 0) g_source_remove(saveTimeout_);
    saveTimeout_ = g_timeout_add(saveDelayMs, onSaveTimeout, this);
}

gboolean PlacementKeeper::onConfigure(GtkWidget*, GdkEventConfigure*, gpointer self) {
    static_cast<PlacementKeeper*>(self)->changed();
    return FALSE;
}

gboolean PlacementKeeper::onWindowState(GtkWidget*, GdkEventWindowState*, gpointer self) {
    static_cast<PlacementKeeper*>(self)->changed();
    return FALSE;
}

gboolean PlacementKeeper::onSaveTimeout(gpointer self) {
    auto* keeper = static_cast<PlacementKeeper*>(self);
    keeper->saveTimeout_ = 0;
    keeper->save();
    return G_SOURCE_REMOVE;
}

}  // namespace kestrun
