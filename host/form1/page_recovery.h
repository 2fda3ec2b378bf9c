#pragma once
// Bringing the page back after the engine's page process has ended (killed,
// crashed, out of memory): quietly, unless it keeps happening.

#include "platform/glib_ptr.h"

#include <gtk/gtk.h>

#include <chrono>
#include <deque>
#include <functional>

namespace kestrun {

// Three ends within a minute mean something keeps killing the page; reloading
// it again would only loop, so the user is asked instead.
class RecoveryLimit {
public:
    using Clock = std::chrono::steady_clock;

    // Counts an end of the page process at `now`; true while the page may be
    // reloaded without asking.
    bool allowReload(Clock::time_point now);
    // The user asked to try again: count afresh.
    void reset() { ends_.clear(); }

private:
    std::deque<Clock::time_point> ends_;
};

// The message shown in the window in place of the page when the page keeps
// stopping, with a button that tries again.
class StoppedNotice {
public:
    // Hidden at first, also when its window shows all; while shown it stands
    // in for `page` (which it hides), beside it in the same container.
    // `retry` runs when the button is pressed.
    StoppedNotice(GtkWidget* page, std::function<void()> retry);
    StoppedNotice(const StoppedNotice&) = delete;
    StoppedNotice& operator=(const StoppedNotice&) = delete;

    GtkWidget* widget() const { return box_.get(); }
    void show();
    void hide();

private:
    static void onRetry(GtkButton*, gpointer self);

    GObjectPtr<GtkWidget> box_;
    GtkWidget* button_;  // owned by box_
    GtkWidget* page_;
    std::function<void()> retry_;
};

}  // namespace kestrun
