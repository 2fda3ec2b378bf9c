#include "webview/web_browser.h"

#include "platform/runtime_error.h"
#include "webview/automation.h"
#include "webview/page_location.h"
#include "webview/user_content.h"
#include "webview/user_holidays.h"
#include "webview/web_context.h"

namespace kestrun {

namespace {

// What a page of its time could count on from its browser.
void configure(WebKitSettings* settings, bool automation) {
    webkit_settings_set_enable_javascript(settings, TRUE);
    // The page reads no file but its own document (its cookies work without
    // this), so a script in it cannot reach the user's other files.
    webkit_settings_set_allow_file_access_from_file_urls(settings, FALSE);
    webkit_settings_set_allow_universal_access_from_file_urls(settings, FALSE);
    webkit_settings_set_javascript_can_open_windows_automatically(settings, FALSE);
    webkit_settings_set_enable_developer_extras(settings, automation);
    // A page kept in the page cache gets no unload event, and the page's
    // unload handler is what remembers the chosen zone.
    webkit_settings_set_enable_page_cache(settings, FALSE);
    // The control is taller than the client area it sits in; composited
    // drawing places its picture by the bottom of the visible part and leaves
    // as many rows at the top of the page unpainted.
    webkit_settings_set_hardware_acceleration_policy(settings, WEBKIT_HARDWARE_ACCELERATION_POLICY_NEVER);
}

// The zone menus pad their entries with spaces so that the Chinese names
// stand in one column, which holds only in a fixed-pitch font. An open select
// list is drawn by GTK rather than by the page, so it gets the font that
// stands in for the menus' own.
void styleSelectLists() {
    static const char css[] = "treeview { font-family: \"WenQuanYi Zen Hei Mono\", monospace; }";
    auto provider = adopt(gtk_css_provider_new());
    GErrorOut error;
    if (!gtk_css_provider_load_from_data(provider.get(), css, -1, error.out()))
        throw RuntimeError("style the select lists", "", error.get()->message);
    gtk_style_context_add_provider_for_screen(gdk_screen_get_default(), GTK_STYLE_PROVIDER(provider.get()),
                                              GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
}

// The page is larger than the window at its first size, and scroll bars that
// only appear under the pointer would not tell the user so: the old browser
// control always showed classic ones. The engine follows GTK's setting.
void showClassicScrollbars() { g_object_set(gtk_settings_get_default(), "gtk-overlay-scrolling", FALSE, nullptr); }

// "is-controlled-by-automation" can only be given at construction, and an
// automation session only accepts a view of the context it runs on.
GObjectPtr<WebKitWebView> createView(WebKitWebContext* context, bool automation) {
    auto content = createUserContent();
    addUserHolidays(content.get());
    gpointer view = g_object_new(WEBKIT_TYPE_WEB_VIEW, "web-context", context, "user-content-manager", content.get(),
                                 "is-controlled-by-automation", automation ? TRUE : FALSE, nullptr);
    // Dropped files and links are not taken at all: the calendar has no use
    // for them, and a dropped page would otherwise be opened in its place.
    gtk_drag_dest_unset(GTK_WIDGET(view));
    return adopt(WEBKIT_WEB_VIEW(g_object_ref_sink(view)));
}

// Before the first context: the engine reads the inspector's settings once,
// when it starts.
GObjectPtr<WebKitWebContext> createContext(bool automation) {
    if (!automation) closeRemoteInspection();
    return createWebContext();
}

}  // namespace

WebBrowser::WebBrowser(bool automation)
    : context_(createContext(automation)),
      view_(createView(context_.get(), automation)),
      zoneScript_(view_.get()),
      userDays_(view_.get()),
      storeWatch_(view_.get(), webkit_web_context_get_cookie_manager(context_.get()), cookieStorePath()) {
    configure(webkit_web_view_get_settings(view_.get()), automation);
    styleSelectLists();
    showClassicScrollbars();
    if (automation) allowAutomation(context_.get(), view_.get());
    g_signal_connect(view_.get(), "load-changed", G_CALLBACK(onLoadChanged), this);
    g_signal_connect(view_.get(), "close", G_CALLBACK(onClose), this);
    g_signal_connect(view_.get(), "web-process-terminated", G_CALLBACK(onWebProcessTerminated), this);
    g_signal_connect(view_.get(), "decide-policy", G_CALLBACK(onDecidePolicy), this);
}

WebBrowser::~WebBrowser() { g_signal_handlers_disconnect_by_data(view_.get(), this); }

void WebBrowser::Navigate(const std::string& path) {
    pageUri_ = pageUri(path);
    webkit_web_view_load_uri(view_.get(), pageUri_.c_str());
}

void WebBrowser::onPageGone(std::function<void()> gone) { gone_ = std::move(gone); }

void WebBrowser::onCloseRequest(std::function<void()> closing) { closing_ = std::move(closing); }

void WebBrowser::onClose(WebKitWebView*, gpointer self) {
    auto* browser = static_cast<WebBrowser*>(self);
    if (browser->closing_) browser->closing_();
}

void WebBrowser::discardPage(std::function<void()> done) {
    discarded_ = std::move(done);
    webkit_web_view_load_uri(view_.get(), "about:blank");
}

void WebBrowser::onLoadChanged(WebKitWebView* view, WebKitLoadEvent event, gpointer self) {
    auto* browser = static_cast<WebBrowser*>(self);
    if (event != WEBKIT_LOAD_FINISHED) return;
    if (!browser->discarded_) {
        const char* uri = webkit_web_view_get_uri(view);
        if (uri != nullptr && browser->pageUri_ == uri) browser->storeWatch_.pageLoaded(browser->pageUri_);
        return;
    }
    if (g_strcmp0(webkit_web_view_get_uri(view), "about:blank") != 0) return;
    // The page sent its last cookies to the cookie store before the empty page
    // finished loading; a read from the store is answered only after those
    // writes, so its answer means they are kept.
    WebKitCookieManager* cookies = webkit_web_context_get_cookie_manager(browser->context_.get());
    webkit_cookie_manager_get_cookies(cookies, browser->pageUri_.c_str(), nullptr, onCookiesSettled, self);
}

void WebBrowser::onCookiesSettled(GObject* manager, GAsyncResult* result, gpointer self) {
    GErrorOut error;
    GList* cookies = webkit_cookie_manager_get_cookies_finish(WEBKIT_COOKIE_MANAGER(manager), result, error.out());
    g_list_free_full(cookies, reinterpret_cast<GDestroyNotify>(soup_cookie_free));
    // Nothing to read here; the round trip was the point. A failed read
    // changes nothing about what the store holds.
    auto* browser = static_cast<WebBrowser*>(self);
    if (browser->discarded_) browser->finishDiscard();
}

void WebBrowser::onWebProcessTerminated(WebKitWebView*, WebKitWebProcessTerminationReason, gpointer self) {
    auto* browser = static_cast<WebBrowser*>(self);
    // Closing: no page left to wait for.
    if (browser->discarded_)
        browser->finishDiscard();
    else if (browser->gone_)
        browser->gone_();
}

// The view shows its own page and nothing else: a dropped file or link, a
// link, a script's `location`, a form or a new window is refused, and the
// page stays as it is.
gboolean WebBrowser::onDecidePolicy(WebKitWebView*, WebKitPolicyDecision* decision, WebKitPolicyDecisionType type,
                                    gpointer self) {
    if (type == WEBKIT_POLICY_DECISION_TYPE_RESPONSE) return FALSE;
    if (type == WEBKIT_POLICY_DECISION_TYPE_NAVIGATION_ACTION) {
        WebKitNavigationAction* action =
            webkit_navigation_policy_decision_get_navigation_action(WEBKIT_NAVIGATION_POLICY_DECISION(decision));
        const char* uri = webkit_uri_request_get_uri(webkit_navigation_action_get_request(action));
        if (static_cast<WebBrowser*>(self)->mayShow(uri)) return FALSE;
    }
    webkit_policy_decision_ignore(decision);
    return TRUE;
}

// The page file (also when it is loaded again), and the empty page only while
// the page is being discarded at the close.
bool WebBrowser::mayShow(const char* uri) const {
    if (uri == nullptr) return false;
    if (!pageUri_.empty() && pageUri_ == uri) return true;
    return discarded_ && g_strcmp0(uri, "about:blank") == 0;
}

void WebBrowser::finishDiscard() {
    auto done = std::move(discarded_);
    discarded_ = nullptr;
    done();
}

}  // namespace kestrun
