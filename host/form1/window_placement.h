#pragma once
// The window comes back where the user left it: its position, its size (the
// size it has when not maximised, also while it is maximised) and whether it
// was maximised are kept in a key file, written shortly after every change
// and at close, and given back to the window at the next start.

#include <gtk/gtk.h>

#include <string>
#include <vector>

namespace kestrun {

struct WindowPlacement {
    int x;  // the frame's top-left corner on the screen
    int y;
    int width;  // the client area
    int height;
    bool maximized;

    bool operator==(const WindowPlacement&) const = default;
};

// The placement kept in a key file's [Window] group. Throws
// std::invalid_argument naming what is missing or wrong.
WindowPlacement placementFrom(GKeyFile* settings);
void storePlacement(GKeyFile* settings, const WindowPlacement& placement);

// Whether one of the monitors shows enough of the window to take hold of it.
bool shownByAMonitor(const WindowPlacement& placement, const std::vector<GdkRectangle>& monitors);

// Follows a window and keeps its placement in the settings file at `path`.
class PlacementKeeper {
public:
    PlacementKeeper(GtkWindow* window, std::string path);
    ~PlacementKeeper();
    PlacementKeeper(const PlacementKeeper&) = delete;
    PlacementKeeper& operator=(const PlacementKeeper&) = delete;

    // Before the window is first shown. Without a kept placement the window
    // keeps its designed size; a placement that cannot be used is reported
    // on stderr and replaced at the next save.
    void restore();
    // At close, and by itself a moment after the window has moved, changed
    // size or state, so that a program that is killed keeps it too; only a
    // placement that differs from the one last saved is written. A failure
    // is reported on stderr.
    void save();

private:
    bool inNormalState() const;
    WindowPlacement current() const;
    void changed();
    static gboolean onConfigure(GtkWidget*, GdkEventConfigure*, gpointer self);
    static gboolean onWindowState(GtkWidget*, GdkEventWindowState*, gpointer self);
    static gboolean onSaveTimeout(gpointer self);

    GtkWindow* window_;
    std::string path_;
    // The last position and size in the normal state, which a maximised
    // window returns to.
    WindowPlacement normal_{};
    bool normalSeen_ = false;
    WindowPlacement saved_{};
    bool savedOnce_ = false;
    guint saveTimeout_ = 0;
};

}  // namespace kestrun
