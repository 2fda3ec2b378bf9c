#include "webview/user_holidays.h"

#include "platform/glib_ptr.h"
#include "platform/runtime_error.h"
#include "platform/text_file_input.h"
#include "webview/web_context.h"

#include <json-glib/json-glib.h>

#include <iostream>
#include <memory>

namespace kestrun {

namespace {

// Far more than any year's arrangement needs; a larger file is a mistake.
constexpr std::size_t holidayFileLimit = 1 << 20;
constexpr const char* problemChannel = "holidayProblem";

// The page's view of the file: { file, text }, { file, error } or { file }.
std::string userHolidaysScript(const std::string& path) {
    auto builder = adopt(json_builder_new());
    json_builder_begin_object(builder.get());
    // A file name need not be UTF-8; the page only shows it.
    GCharPtr shown(g_filename_display_name(path.c_str()));
    json_builder_set_member_name(builder.get(), "file");
    json_builder_add_string_value(builder.get(), shown.get());
    try {
        if (auto text = readUserTextFile(path, holidayFileLimit)) {
            json_builder_set_member_name(builder.get(), "text");
            json_builder_add_string_value(builder.get(), text->c_str());
        }
    } catch (const RuntimeError& error) {
        std::cerr << "kestrun: cannot read " << path << ": " << error.reason() << "; the shipped holiday data is used"
                  << std::endl;
        json_builder_set_member_name(builder.get(), "error");
        json_builder_add_string_value(builder.get(), error.reason().c_str());
    }
    json_builder_end_object(builder.get());
    const FreedPtr<JsonNode, json_node_unref> root(json_builder_get_root(builder.get()));
    GCharPtr json(json_to_string(root.get(), FALSE));
    return std::string("var userHolidays = ") + json.get() + ";";
}

void onProblem(WebKitUserContentManager*, WebKitJavascriptResult* result, gpointer) {
    JSCValue* value = webkit_javascript_result_get_js_value(result);
    GCharPtr text(jsc_value_to_string(value));
    std::cerr << "kestrun: " << text.get() << std::endl;
}

}  // namespace

std::string userHolidaysPath() {
    GCharPtr path(g_build_filename(userDataFolder().c_str(), "holidays.tsv", nullptr));
    return path.get();
}

void addUserHolidays(WebKitUserContentManager* content) {
    const std::string script = userHolidaysScript(userHolidaysPath());
    const FreedPtr<WebKitUserScript, webkit_user_script_unref> userScript(
        webkit_user_script_new(script.c_str(), WEBKIT_USER_CONTENT_INJECT_TOP_FRAME,
                               WEBKIT_USER_SCRIPT_INJECT_AT_DOCUMENT_START, nullptr, nullptr));
    webkit_user_content_manager_add_script(content, userScript.get());

    g_signal_connect(content, (std::string("script-message-received::") + problemChannel).c_str(),
                     G_CALLBACK(onProblem), nullptr);
    if (!webkit_user_content_manager_register_script_message_handler(content, problemChannel))
        throw RuntimeError("register the page's message channel", "", problemChannel);
}

}  // namespace kestrun
