#pragma once
// One Kestrun per session: the first start holds the program's name on the
// session bus; a later start asks it to bring its window to the front and
// ends without touching anything. Without a session bus every start runs on
// its own, as if no other were running.

#include "platform/glib_ptr.h"

#include <gtk/gtk.h>

#include <functional>

namespace kestrun {

class SingleInstance {
public:
    // `alone`: neither hand over to a running Kestrun nor take later starts
    // (a program driven by a test must stay the one its driver started).
    explicit SingleInstance(bool alone);
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    bool anotherIsRunning() const;
    // Asks the running Kestrun to show its window; the exit status.
    int handOver();
    // `show` runs whenever a later start asks this one to show its window.
    void onStartedAgain(std::function<void()> show);

private:
    static void onActivate(GApplication*, gpointer self);

    GObjectPtr<GtkApplication> application_;
    std::function<void()> show_;
};

}  // namespace kestrun
