#include "webview/web_browser.h"

#include "platform/runtime_error.h"
#include "webview/automation.h"
#include "webview/user_content.h"
#include "webview/user_holidays.h"
#include "webview/web_context.h"

namespace kestrun {

namespace {

// What a page of its time could count on from its browser.
void configure(WebKitSettings* settings, bool automation) {
    webkit_settings_set_enable_javascript(settings, TRUE);
    webkit_settings_set_allow_file_access_from_file_urls(settings, TRUE);
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
void showClassicScrollbars() {
    g_object_set(gtk_settings_get_default(), "gtk-overlay-scrolling", FALSE, nullptr);
}

// "is-controlled-by-automation" can only be given at construction, and an
// automation session only accepts a view of the context it runs on.
GObjectPtr<WebKitWebView> createView(WebKitWebContext* context, bool automation) {
    auto content = createUserContent();
    addUserHolidays(content.get());
    gpointer view = g_object_new(WEBKIT_TYPE_WEB_VIEW, "web-context", context, "user-content-manager", content.get(),
                                 "is-controlled-by-automation", automation ? TRUE : FALSE, nullptr);
    return adopt(WEBKIT_WEB_VIEW(g_object_ref_sink(view)));
}

}  // namespace

WebBrowser::WebBrowser(bool automation)
    : context_(createWebContext()), view_(createView(context_.get(), automation)), zoneScript_(view_.get()) {
    configure(webkit_web_view_get_settings(view_.get()), automation);
    styleSelectLists();
    showClassicScrollbars();
    if (automation) allowAutomation(context_.get(), view_.get());
    g_signal_connect(view_.get(), "load-changed", G_CALLBACK(onLoadChanged), this);
    g_signal_connect(view_.get(), "close", G_CALLBACK(onClose), this);
    g_signal_connect(view_.get(), "web-process-terminated", G_CALLBACK(onWebProcessTerminated), this);
}

WebBrowser::~WebBrowser() { g_signal_handlers_disconnect_by_data(view_.get(), this); }

void WebBrowser::Navigate(const std::string& path) {
    GErrorOut error;
    GCharPtr uri(g_filename_to_uri(path.c_str(), nullptr, error.out()));
    if (error) throw RuntimeError("navigate to the page", path, error.get()->message);
    pageUri_ = uri.get();
    webkit_web_view_load_uri(view_.get(), uri.get());
}

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
    if (event != WEBKIT_LOAD_FINISHED || !browser->discarded_) return;
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
    // No page left to wait for.
    auto* browser = static_cast<WebBrowser*>(self);
    if (browser->discarded_) browser->finishDiscard();
}

void WebBrowser::finishDiscard() {
    auto done = std::move(discarded_);
    discarded_ = nullptr;
    done();
}

}  // namespace kestrun
