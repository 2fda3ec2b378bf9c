#include "days/user_days.h"

#include "days/day_dialog.h"
#include "days/days_file.h"
#include "platform/runtime_error.h"
#include "webview/user_file.h"
#include "webview/web_context.h"

#include <json-glib/json-glib.h>

#include <iostream>

namespace kestrun {

namespace {

// Far more than any family's days need; a larger file is a mistake.
constexpr std::size_t daysFileLimit = 1 << 20;
constexpr const char* editChannel = "editDays";
// An editor saves in several steps (a new file, a rename, its attributes):
// the page is given the file once they are done.
constexpr guint settleMs = 200;

std::string member(JsonObject* object, const char* name) {
    const char* text = json_object_has_member(object, name) ? json_object_get_string_member(object, name) : nullptr;
    return text ? text : "";
}

int number(JsonObject* object, const char* name) {
    return json_object_has_member(object, name) ? static_cast<int>(json_object_get_int_member(object, name)) : 0;
}

// The page's request (see editOwnDays in the page), or nothing when it is
// not one.
std::optional<DayRequest> requestOf(const std::string& json) {
    GErrorOut error;
    const FreedPtr<JsonNode, json_node_unref> root(json_from_string(json.c_str(), error.out()));
    if (error || !root || !JSON_NODE_HOLDS_OBJECT(root.get())) return std::nullopt;
    JsonObject* object = json_node_get_object(root.get());
    DayRequest r;
    r.year = number(object, "year");
    r.month = number(object, "month");
    r.day = number(object, "day");
    r.lunar = member(object, "lunar");
    r.lunarText = member(object, "lunarText");
    JsonArray* entries = json_object_has_member(object, "entries") ? json_object_get_array_member(object, "entries")
                                                                    : nullptr;
    for (guint i = 0; entries && i < json_array_get_length(entries); i++) {
        JsonObject* e = json_array_get_object_element(entries, i);
        if (e) r.entries.push_back({number(e, "line"), member(e, "text"), member(e, "title"), member(e, "date")});
    }
    if (r.year == 0 || r.month == 0 || r.day == 0) return std::nullopt;
    return r;
}

}  // namespace

std::string userDaysPath() {
    GCharPtr path(g_build_filename(userDataFolder().c_str(), "days.tsv", nullptr));
    return path.get();
}

UserDays::UserDays(WebKitWebView* view) : view_(view), path_(userDaysPath()) {
    read();
    WebKitUserContentManager* content = webkit_web_view_get_user_content_manager(view_);
    g_signal_connect(content, (std::string("script-message-received::") + editChannel).c_str(),
                     G_CALLBACK(onEditMessage), this);
    if (!webkit_user_content_manager_register_script_message_handler(content, editChannel))
        throw RuntimeError("register the page's message channel", "", editChannel);

    const auto file = adopt(g_file_new_for_path(path_.c_str()));
    GErrorOut error;
    monitor_.reset(g_file_monitor_file(file.get(), G_FILE_MONITOR_WATCH_MOVES, nullptr, error.out()));
    // Without a watch the days still show; only a hand edit waits for the next start.
    if (!monitor_)
        std::cerr << "kestrun: cannot watch " << path_ << ": " << (error ? error.get()->message : "") << std::endl;
    else
        g_signal_connect(monitor_.get(), "changed", G_CALLBACK(onFileChanged), this);
}

UserDays::~UserDays() {
    if (settle_ != 0) g_source_remove(settle_);
    if (monitor_) g_signal_handlers_disconnect_by_data(monitor_.get(), this);
    g_signal_handlers_disconnect_by_data(webkit_web_view_get_user_content_manager(view_), this);
}

void UserDays::read() {
    std::string problem;
    json_ = userFileJson(path_, daysFileLimit, problem, true);
    if (!problem.empty())
        std::cerr << "kestrun: cannot read " << path_ << ": " << problem << "; no days of your own are shown"
                  << std::endl;
    install();
}

void UserDays::reload() {
    read();
    // A page that is not there to take it loads the new script when it comes back.
    const std::string call = "if (typeof setUserDays == 'function') setUserDays(" + json_ + ");";
    webkit_web_view_evaluate_javascript(view_, call.c_str(), -1, nullptr, nullptr, nullptr, nullptr, nullptr);
}

void UserDays::install() {
    WebKitUserContentManager* content = webkit_web_view_get_user_content_manager(view_);
    if (script_) webkit_user_content_manager_remove_script(content, script_.get());
    const std::string text = "var userDays = " + json_ + ";";
    script_.reset(webkit_user_script_new(text.c_str(), WEBKIT_USER_CONTENT_INJECT_TOP_FRAME,
                                         WEBKIT_USER_SCRIPT_INJECT_AT_DOCUMENT_START, nullptr, nullptr));
    webkit_user_content_manager_add_script(content, script_.get());
}

void UserDays::onFileChanged(GFileMonitor*, GFile*, GFile*, GFileMonitorEvent event, gpointer self) {
    auto* days = static_cast<UserDays*>(self);
    if (event == G_FILE_MONITOR_EVENT_ATTRIBUTE_CHANGED) return;
    if (days->settle_ != 0) g_source_remove(days->settle_);
    days->settle_ = g_timeout_add(settleMs, onSettled, days);
}

gboolean UserDays::onSettled(gpointer self) {
    auto* days = static_cast<UserDays*>(self);
    days->settle_ = 0;
    days->reload();
    return G_SOURCE_REMOVE;
}

void UserDays::onEditMessage(WebKitUserContentManager*, WebKitJavascriptResult* result, gpointer self) {
    GCharPtr text(jsc_value_to_string(webkit_javascript_result_get_js_value(result)));
    static_cast<UserDays*>(self)->edit(text ? text.get() : "");
}

// The dialog waits for the user in a loop of its own; a second request
// meanwhile (a second double-click) is not taken.
void UserDays::edit(const std::string& json) {
    const std::optional<DayRequest> request = requestOf(json);
    if (!request || asking_) return;
    const struct Asking {
        bool& flag;
        explicit Asking(bool& f) : flag(f) { flag = true; }
        ~Asking() { flag = false; }
    } asking(asking_);
    GtkWidget* top = gtk_widget_get_toplevel(GTK_WIDGET(view_));
    GtkWindow* parent = GTK_IS_WINDOW(top) ? GTK_WINDOW(top) : nullptr;
    if (askDayEdit(parent, *request, [this](const DayEdit& change) { applyDayEdit(path_, change); })) reload();
}

}  // namespace kestrun
