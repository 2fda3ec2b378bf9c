#include "webview/user_content.h"

#include "platform/runtime_error.h"

#include <gio/gio.h>

#include <optional>
#include <string>

namespace kestrun {

namespace {

constexpr const char* userScriptResource = "/kestrun/browser/user.js";
constexpr const char* userStyleResource = "/kestrun/browser/user.css";

// The text of a resource, or nothing when the bundle does not carry it.
std::optional<std::string> optionalResourceText(const char* name) {
    GErrorOut error;
    GBytesPtr bytes(g_resources_lookup_data(name, G_RESOURCE_LOOKUP_FLAGS_NONE, error.out()));
    if (error) {
        if (g_error_matches(error.get(), G_RESOURCE_ERROR, G_RESOURCE_ERROR_NOT_FOUND)) return std::nullopt;
        throw RuntimeError("load resource", name, error.get()->message);
    }
    gsize size = 0;
    const auto* data = static_cast<const char*>(g_bytes_get_data(bytes.get(), &size));
    return std::string(data, size);
}

}  // namespace

GObjectPtr<WebKitUserContentManager> createUserContent() {
    auto content = adopt(webkit_user_content_manager_new());
    if (auto script = optionalResourceText(userScriptResource)) {
        WebKitUserScript* userScript = webkit_user_script_new(
            script->c_str(), WEBKIT_USER_CONTENT_INJECT_ALL_FRAMES,
            WEBKIT_USER_SCRIPT_INJECT_AT_DOCUMENT_START, nullptr, nullptr);
        webkit_user_content_manager_add_script(content.get(), userScript);
        webkit_user_script_unref(userScript);
    }
    if (auto style = optionalResourceText(userStyleResource)) {
        WebKitUserStyleSheet* sheet = webkit_user_style_sheet_new(
            style->c_str(), WEBKIT_USER_CONTENT_INJECT_ALL_FRAMES, WEBKIT_USER_STYLE_LEVEL_USER, nullptr, nullptr);
        webkit_user_content_manager_add_style_sheet(content.get(), sheet);
        webkit_user_style_sheet_unref(sheet);
    }
    return content;
}

}  // namespace kestrun
