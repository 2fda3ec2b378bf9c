#include "webview/user_content.h"

#include "platform/resource_strings.h"

#include <string>

namespace kestrun {

namespace {

// The shims in host/shims/, one per file.
constexpr const char* userScripts[] = {
    "/kestrun/shims/filters.js",
    "/kestrun/shims/option-spaces.js",
};
constexpr const char* userStyleSheets[] = {
    "/kestrun/shims/fonts.css",
    "/kestrun/shims/filters.css",
    "/kestrun/shims/popup-pointer.css",
};

}  // namespace

GObjectPtr<WebKitUserContentManager> createUserContent() {
    auto content = adopt(webkit_user_content_manager_new());
    for (const char* name : userScripts) {
        const std::string script = resourceData(name, "load resource");
        const FreedPtr<WebKitUserScript, webkit_user_script_unref> userScript(
            webkit_user_script_new(script.c_str(), WEBKIT_USER_CONTENT_INJECT_ALL_FRAMES,
                                   WEBKIT_USER_SCRIPT_INJECT_AT_DOCUMENT_START, nullptr, nullptr));
        webkit_user_content_manager_add_script(content.get(), userScript.get());
    }
    for (const char* name : userStyleSheets) {
        const std::string style = resourceData(name, "load resource");
        const FreedPtr<WebKitUserStyleSheet, webkit_user_style_sheet_unref> sheet(webkit_user_style_sheet_new(
            style.c_str(), WEBKIT_USER_CONTENT_INJECT_ALL_FRAMES, WEBKIT_USER_STYLE_LEVEL_USER, nullptr, nullptr));
        webkit_user_content_manager_add_style_sheet(content.get(), sheet.get());
    }
    return content;
}

}  // namespace kestrun
