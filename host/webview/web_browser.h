#pragma once
// WebBrowser1: the embedded browser that shows the page.

#include "days/user_days.h"
#include "platform/glib_ptr.h"
#include "webview/store_watch.h"
#include "webview/zone_script.h"

#include <webkit2/webkit2.h>

#include <functional>
#include <string>

namespace kestrun {

class WebBrowser {
public:
    // `automation`: let WebKitWebDriver drive this view (tests only).
    explicit WebBrowser(bool automation);
    ~WebBrowser();
    WebBrowser(const WebBrowser&) = delete;
    WebBrowser& operator=(const WebBrowser&) = delete;

    GtkWidget* widget() const { return GTK_WIDGET(view_.get()); }

    // Loads and shows the file at the plain file-system path; returns at once.
    void Navigate(const std::string& path);

    // `closing` runs when the view asks to be closed (an automation session
    // closing its window); the window treats it as the user's close.
    void onCloseRequest(std::function<void()> closing);

    // Replaces the page with an empty one and calls `done` once it is gone:
    // after the page's unload handling has run and the cookies it wrote have
    // reached the cookie store.
    void discardPage(std::function<void()> done);

    // `gone` runs when the engine's page process has ended while the page
    // was being shown (killed, crashed, out of memory); the view then shows
    // nothing until the page is navigated to again.
    void onPageGone(std::function<void()> gone);

private:
    static void onLoadChanged(WebKitWebView*, WebKitLoadEvent event, gpointer self);
    static void onWebProcessTerminated(WebKitWebView*, WebKitWebProcessTerminationReason, gpointer self);
    static void onClose(WebKitWebView*, gpointer self);
    static gboolean onDecidePolicy(WebKitWebView*, WebKitPolicyDecision* decision, WebKitPolicyDecisionType type,
                                   gpointer self);
    bool mayShow(const char* uri) const;
    void finishDiscard();
    static void onCookiesSettled(GObject* manager, GAsyncResult* result, gpointer self);

    GObjectPtr<WebKitWebContext> context_;
    GObjectPtr<WebKitWebView> view_;
    ZoneScript zoneScript_;
    UserDays userDays_;
    StoreWatch storeWatch_;
    std::string pageUri_;
    std::function<void()> discarded_;
    std::function<void()> closing_;
    std::function<void()> gone_;
};

}  // namespace kestrun
