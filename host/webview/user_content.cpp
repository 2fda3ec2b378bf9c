#include "webview/user_content.h"

#include "platform/resource_strings.h"

#include <string>

namespace kestrun {

namespace {

constexpr const char* userScriptResource = "/kestrun/browser/user.js";
constexpr const char* userStyleResource = "/kestrun/browser/user.css";

}  // namespace

GObjectPtr<WebKitUserContentManager> createUserContent() {
    auto content = adopt(webkit_user_content_manager_new());
    const std::string script = resourceData(userScriptResource, "load resource");
    const FreedPtr<WebKitUserScript, webkit_user_script_unref> userScript(webkit_user_script_new(
        script.c_str(), WEBKIT_USER_CONTENT_INJECT_ALL_FRAMES, WEBKIT_USER_SCRIPT_INJECT_AT_DOCUMENT_START,
        nullptr, nullptr));
    webkit_user_content_manager_add_script(content.get(), userScript.get());
    const std::string style = resourceData(userStyleResource, "load resource");
    const FreedPtr<WebKitUserStyleSheet, webkit_user_style_sheet_unref> sheet(webkit_user_style_sheet_new(
        style.c_str(), WEBKIT_USER_CONTENT_INJECT_ALL_FRAMES, WEBKIT_USER_STYLE_LEVEL_USER, nullptr, nullptr));
    webkit_user_content_manager_add_style_sheet(content.get(), sheet.get());
    return content;
}

}  // namespace kestrun
