#include "webview/user_holidays.h"

#include "platform/glib_ptr.h"
#include "platform/runtime_error.h"
#include "webview/user_file.h"
#include "webview/web_context.h"

#include <iostream>

namespace kestrun {

namespace {

// Far more than any year's arrangement needs; a larger file is a mistake.
constexpr std::size_t holidayFileLimit = 1 << 20;
constexpr const char* problemChannel = "holidayProblem";

std::string userHolidaysScript(const std::string& path) {
    std::string problem;
    const std::string json = userFileJson(path, holidayFileLimit, problem);
    if (!problem.empty())
        std::cerr << "kestrun: cannot read " << path << ": " << problem << "; the shipped holiday data is used"
                  << std::endl;
    return "var userHolidays = " + json + ";";
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
