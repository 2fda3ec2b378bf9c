#pragma once
// Watches whether the cookie store keeps what the page writes (the chosen
// zone, whether the holidays are shown). The browser only warns on its own
// standard error when the store cannot be read or written, and the choice
// would then be lost without a word: a store that cannot be used is named in
// a notice under the grid and once on standard error, and once it can be used
// again within the run, the page writes its choices again.

#include "platform/glib_ptr.h"
#include "webview/cookie_store.h"

#include <webkit2/webkit2.h>

#include <string>

namespace kestrun {

class StoreWatch {
public:
    StoreWatch(WebKitWebView* view, WebKitCookieManager* cookies, std::string storePath);
    ~StoreWatch();
    StoreWatch(const StoreWatch&) = delete;
    StoreWatch& operator=(const StoreWatch&) = delete;

    // The page at `uri` has loaded, with what the store gave it.
    void pageLoaded(const std::string& uri);

private:
    void checkSoon(guint delayMs);
    void check();
    void judge(const StoreCheck& result);
    void tellPage(const std::string& script);
    static void onChanged(WebKitCookieManager*, gpointer self);
    static gboolean onCheckTime(gpointer self);
    static void onPageCookies(GObject* manager, GAsyncResult* result, gpointer self);
    static void onChecked(GObject*, GAsyncResult* result, gpointer self);

    WebKitWebView* view_;
    WebKitCookieManager* cookies_;
    std::string storePath_;
    std::string pageUri_;
    GObjectPtr<GCancellable> cancellable_;
    guint checkTimer_ = 0;
    bool checking_ = false;
    bool checkAgain_ = false;
    std::string shown_;  // the reason the notice names, empty without a notice
    std::string told_;   // the reason last said on standard error
    int rewrites_ = 0;   // in a row, while the store stays behind
};

}  // namespace kestrun
