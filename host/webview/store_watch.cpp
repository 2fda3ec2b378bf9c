#include "webview/store_watch.h"

#include <json-glib/json-glib.h>

#include <iostream>
#include <memory>
#include <utility>
#include <vector>

namespace kestrun {

namespace {

// After a change, for the page's other cookies of the same moment to follow.
constexpr guint settleMs = 300;
// How often an unusable store is tried again.
constexpr guint retryMs = 5000;
// How long a lock another program holds is waited for.
constexpr int lockWaitMs = 3000;
// Writes the page may be asked for in a row before the store counts as not
// keeping them.
constexpr int rewriteLimit = 2;

struct CheckJob {
    std::string path;
    std::vector<StoredCookie> cookies;
    StoreCheck result{StoreCheck::Keeps, {}};
};

void runCheck(GTask* task, gpointer, gpointer data, GCancellable*) {
    auto* job = static_cast<CheckJob*>(data);
    job->result = checkStore(job->path, job->cookies, lockWaitMs);
    g_task_return_boolean(task, TRUE);
}

// The text as a script's string literal.
std::string scriptString(const std::string& text) {
    const FreedPtr<JsonNode, json_node_unref> node(json_node_init_string(json_node_alloc(), text.c_str()));
    GCharPtr literal(json_to_string(node.get(), FALSE));
    return literal.get();
}

}  // namespace

StoreWatch::StoreWatch(WebKitWebView* view, WebKitCookieManager* cookies, std::string storePath)
    : view_(view), cookies_(cookies), storePath_(std::move(storePath)), cancellable_(g_cancellable_new()) {
    g_signal_connect(cookies_, "changed", G_CALLBACK(onChanged), this);
}

StoreWatch::~StoreWatch() {
    // Answers still on their way find the cancellable cancelled and leave
    // this object alone.
    g_cancellable_cancel(cancellable_.get());
    if (checkTimer_ != 0) g_source_remove(checkTimer_);
    g_signal_handlers_disconnect_by_data(cookies_, this);
}

void StoreWatch::pageLoaded(const std::string& uri) {
    pageUri_ = uri;
    shown_.clear();  // a new document has no notice
    rewrites_ = 0;
    checkSoon(0);
}

void StoreWatch::checkSoon(guint delayMs) {
    if (pageUri_.empty()) return;
    if (checkTimer_ != 0) g_source_remove(checkTimer_);
    checkTimer_ = g_timeout_add(delayMs, onCheckTime, this);
}

// What the browser holds for the page is what the store should hold.
void StoreWatch::check() {
    if (checking_) {
        checkAgain_ = true;
        return;
    }
    checking_ = true;
    webkit_cookie_manager_get_cookies(cookies_, pageUri_.c_str(), cancellable_.get(), onPageCookies, this);
}

void StoreWatch::judge(const StoreCheck& result) {
    if (result.verdict == StoreCheck::Behind && rewrites_ < rewriteLimit) {
        ++rewrites_;
        tellPage("terminate()");
        return;
    }
    if (result.verdict == StoreCheck::Keeps) {
        rewrites_ = 0;
        told_.clear();
        if (!shown_.empty()) tellPage("storeNotice('')");
        shown_.clear();
        return;
    }
    const std::string reason = result.verdict == StoreCheck::Behind ? "what is written is not kept" : result.reason;
    GCharPtr shownPath(g_filename_display_name(storePath_.c_str()));
    if (reason != told_)
        std::cerr << "kestrun: cannot keep the chosen zone in " << storePath_ << ": " << reason << std::endl;
    told_ = reason;
    if (reason != shown_) tellPage("storeNotice(" + scriptString(std::string(shownPath.get()) + ": " + reason) + ")");
    shown_ = reason;
    rewrites_ = 0;
    checkSoon(retryMs);
}

// The page may be another by now (reloaded, discarded); it only acts if it
// is the calendar.
void StoreWatch::tellPage(const std::string& script) {
    const std::string guarded = "if (typeof storeNotice == 'function') " + script;
    webkit_web_view_evaluate_javascript(view_, guarded.c_str(), -1, nullptr, nullptr, nullptr, nullptr, nullptr);
}

void StoreWatch::onChanged(WebKitCookieManager*, gpointer self) { static_cast<StoreWatch*>(self)->checkSoon(settleMs); }

gboolean StoreWatch::onCheckTime(gpointer self) {
    auto* watch = static_cast<StoreWatch*>(self);
    watch->checkTimer_ = 0;
    watch->check();
    return G_SOURCE_REMOVE;
}

void StoreWatch::onPageCookies(GObject* manager, GAsyncResult* result, gpointer self) {
    GErrorOut error;
    GList* list = webkit_cookie_manager_get_cookies_finish(WEBKIT_COOKIE_MANAGER(manager), result, error.out());
    if (g_error_matches(error.get(), G_IO_ERROR, G_IO_ERROR_CANCELLED)) return;
    auto* watch = static_cast<StoreWatch*>(self);
    auto job = std::make_unique<CheckJob>();
    job->path = watch->storePath_;
    // Only cookies with an expiry are kept between runs.
    for (GList* item = list; item != nullptr; item = item->next) {
        auto* cookie = static_cast<SoupCookie*>(item->data);
        if (soup_cookie_get_expires(cookie) != nullptr)
            job->cookies.push_back({soup_cookie_get_name(cookie), soup_cookie_get_value(cookie),
                                    soup_cookie_get_path(cookie)});
    }
    g_list_free_full(list, reinterpret_cast<GDestroyNotify>(soup_cookie_free));
    GTask* task = g_task_new(nullptr, watch->cancellable_.get(), onChecked, watch);
    g_task_set_task_data(task, job.release(), [](gpointer data) { delete static_cast<CheckJob*>(data); });
    g_task_run_in_thread(task, runCheck);
    g_object_unref(task);
}

void StoreWatch::onChecked(GObject*, GAsyncResult* result, gpointer self) {
    GTask* task = G_TASK(result);
    if (g_cancellable_is_cancelled(g_task_get_cancellable(task))) return;
    auto* watch = static_cast<StoreWatch*>(self);
    watch->checking_ = false;
    watch->judge(static_cast<CheckJob*>(g_task_get_task_data(task))->result);
    if (watch->checkAgain_) {
        watch->checkAgain_ = false;
        watch->check();
    }
}

}  // namespace kestrun
