#include "webview/automation.h"

#include "platform/glib_ptr.h"
#include "version.h"

#include <initializer_list>

namespace kestrun {

namespace {

WebKitWebView* existingView(WebKitAutomationSession*, gpointer view) { return WEBKIT_WEB_VIEW(view); }

void startSession(WebKitWebContext*, WebKitAutomationSession* session, gpointer view) {
    const FreedPtr<WebKitApplicationInfo, webkit_application_info_unref> info(webkit_application_info_new());
    webkit_application_info_set_name(info.get(), "kestrun");
    webkit_application_info_set_version(info.get(), KESTRUN_VERSION_MAJOR, KESTRUN_VERSION_MINOR,
                                        KESTRUN_VERSION_PATCH);
    webkit_automation_session_set_application_info(session, info.get());
    g_signal_connect(session, "create-web-view", G_CALLBACK(existingView), view);
}

}  // namespace

void allowAutomation(WebKitWebContext* context, WebKitWebView* view) {
    webkit_web_context_set_automation_allowed(context, TRUE);
    g_signal_connect(context, "automation-started", G_CALLBACK(startSession), view);
}

void closeRemoteInspection() {
    for (const char* name : {"WEBKIT_INSPECTOR_SERVER", "WEBKIT_INSPECTOR_HTTP_SERVER"}) g_unsetenv(name);
}

}  // namespace kestrun
