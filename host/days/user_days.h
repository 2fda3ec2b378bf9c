#pragma once
// The user's own days, days.tsv in the program's data folder, between the
// file and the page: the host reads the file (the page cannot) and hands its
// text to the page before the page's scripts run and again whenever the file
// changes, by hand or from the window; and it opens the dialog for a day when
// the page asks, and writes what the user decided.

#include "platform/glib_ptr.h"

#include <webkit2/webkit2.h>

#include <string>

namespace kestrun {

// userDataFolder()/days.tsv
std::string userDaysPath();

class UserDays {
public:
    // Adds the script and the page's "editDays" channel to the view's user
    // content, and starts watching the file; call before the first load.
    explicit UserDays(WebKitWebView* view);
    ~UserDays();
    UserDays(const UserDays&) = delete;
    UserDays& operator=(const UserDays&) = delete;

private:
    // Reads the file into the script the page gets at its next load; reload
    // also hands it to the page on display.
    void read();
    void reload();
    void install();
    static void onFileChanged(GFileMonitor*, GFile*, GFile*, GFileMonitorEvent event, gpointer self);
    static gboolean onSettled(gpointer self);
    static void onEditMessage(WebKitUserContentManager*, WebKitJavascriptResult* result, gpointer self);
    void edit(const std::string& request);

    WebKitWebView* view_;
    std::string path_;
    std::string json_;
    FreedPtr<WebKitUserScript, webkit_user_script_unref> script_;
    GObjectPtr<GFileMonitor> monitor_;
    guint settle_ = 0;
    bool asking_ = false;
};

}  // namespace kestrun
