#include "webview/zone_script.h"

#include "platform/time_zones.h"
#include "zone_ids.h"

#include <chrono>
#include <cstdio>
#include <future>
#include <optional>
#include <vector>

namespace kestrun {

namespace {

constexpr std::int64_t day = 86400;
constexpr std::int64_t spanDays = 400;

// [[start ms, offset ms, 1 on summer time], ...]
void appendIntervals(std::string& text, const std::vector<ZoneInterval>& intervals) {
    text += '[';
    for (const ZoneInterval& interval : intervals) {
        if (text.back() != '[') text += ',';
        text += '[' + std::to_string(interval.start * 1000) + ',' + std::to_string(interval.offset * 1000LL) + ',' +
                (interval.daylight ? '1' : '0') + ']';
    }
    text += ']';
}

std::int64_t secondsNow() { return g_get_real_time() / G_USEC_PER_SEC; }

struct Preparing {
    std::int64_t from;
    std::future<std::string> text;
};
// Started at most once, before the window exists, and taken by the browser's
// view on the same (main) thread.
std::optional<Preparing> preparing;

}  // namespace

// The ids are the build's own list (letters, digits, "_+-/" only), so they go
// into the text as they are. A zone the database lacks is left out and the
// page keeps that entry's own rule.
std::string zoneOffsetsScript(std::int64_t from, std::int64_t until) {
    const auto began = std::chrono::steady_clock::now();
    std::string zones;
    for (const char* id : worldClockZoneIds) {
        std::vector<ZoneInterval> intervals = zoneOffsets(id, from, until);
        if (intervals.empty()) continue;
        zones += zones.empty() ? "{" : ",";
        zones += std::string("\"") + id + "\":";
        appendIntervals(zones, intervals);
    }
    zones += zones.empty() ? "{}" : "}";
    std::string local;
    appendIntervals(local, localOffsets(from, until));
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - began;
    char prepared[32];
    std::snprintf(prepared, sizeof prepared, "%.1f", took.count());
    return "window.hostZones = {\"from\":" + std::to_string(from * 1000) + ",\"until\":" +
           std::to_string(until * 1000) + ",\"prepared\":" + prepared + ",\"local\":" + local +
           ",\"zones\":" + zones + "};\n";
}

void startPreparingZoneOffsets() {
    const std::int64_t now = secondsNow();
    preparing = Preparing{now - day, std::async(std::launch::async, zoneOffsetsScript, now - day, now + spanDays * day)};
}

ZoneScript::ZoneScript(WebKitWebView* view) : view_(view) {
    if (preparing) {
        from_ = preparing->from;
        text_ = preparing->text.get();
        preparing.reset();
        install();
    } else {
        prepare(secondsNow());
    }
    timer_ = g_timeout_add_seconds(3600, onHour, this);
}

ZoneScript::~ZoneScript() {
    if (timer_ != 0) g_source_remove(timer_);
}

void ZoneScript::prepare(std::int64_t now) {
    from_ = now - day;
    text_ = zoneOffsetsScript(from_, now + spanDays * day);
    install();
}

void ZoneScript::install() {
    WebKitUserContentManager* content = webkit_web_view_get_user_content_manager(view_);
    if (script_) webkit_user_content_manager_remove_script(content, script_.get());
    script_.reset(webkit_user_script_new(text_.c_str(), WEBKIT_USER_CONTENT_INJECT_TOP_FRAME,
                                         WEBKIT_USER_SCRIPT_INJECT_AT_DOCUMENT_START, nullptr, nullptr));
    webkit_user_content_manager_add_script(content, script_.get());
}

// Renewed daily, well inside the span, and at once when the clock has been set
// back before it; the page on display gets the new offsets too. A page that
// is not there to take them loads the new script when it comes back, so the
// evaluation's result is not waited for.
gboolean ZoneScript::onHour(gpointer self) {
    auto* script = static_cast<ZoneScript*>(self);
    const std::int64_t now = secondsNow();
    if (now >= script->from_ && now < script->from_ + 2 * day) return G_SOURCE_CONTINUE;
    script->prepare(now);
    webkit_web_view_evaluate_javascript(script->view_, script->text_.c_str(), -1, nullptr, nullptr, nullptr,
                                        nullptr, nullptr);
    return G_SOURCE_CONTINUE;
}

}  // namespace kestrun
