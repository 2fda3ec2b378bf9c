#include "webview/user_content.h"

#include "platform/runtime_error.h"

#include <gio/gio.h>

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

std::string resourceText(const char* name) {
    GErrorOut error;
    GBytesPtr bytes(g_resources_lookup_data(name, G_RESOURCE_LOOKUP_FLAGS_NONE, error.out()));
    if (error) throw RuntimeError("load resource", name, error.get()->message);
    gsize size = 0;
    const auto* data = static_cast<const char*>(g_bytes_get_data(bytes.get(), &size));
    return std::string(data, size);
}

}  // namespace

GObjectPtr<WebKitUserContentManager> createUserContent() {
    auto content = adopt(webkit_user_content_manager_new());
    for (const char* name : userScripts) {
        WebKitUserScript* script = webkit_user_script_new(
            resourceText(name).c_str(), WEBKIT_USER_CONTENT_INJECT_ALL_FRAMES,
            WEBKIT_USER_SCRIPT_INJECT_AT_DOCUMENT_START, nullptr, nullptr);
        webkit_user_content_manager_add_script(content.get(), script);
        webkit_user_script_unref(script);
    }
    for (const char* name : userStyleSheets) {
        WebKitUserStyleSheet* sheet = webkit_user_style_sheet_new(
            resourceText(name).c_str(), WEBKIT_USER_CONTENT_INJECT_ALL_FRAMES, WEBKIT_USER_STYLE_LEVEL_USER,
            nullptr, nullptr);
        webkit_user_content_manager_add_style_sheet(content.get(), sheet);
        webkit_user_style_sheet_unref(sheet);
    }
    return content;
}

}  // namespace kestrun
