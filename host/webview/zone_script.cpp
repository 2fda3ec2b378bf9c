#include "webview/zone_script.h"

#include "platform/time_zones.h"
#include "zone_ids.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <future>
#include <optional>
#include <set>
#include <string_view>
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

// Processor time of the calling thread: what preparing the offsets costs,
// whatever else the machine is busy with (reported to the view bench).
double threadMilliseconds() {
    std::timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

std::string decimal(double ms) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", ms);
    return text;
}

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
    const double began = threadMilliseconds();
    std::string zones;
    std::set<std::string_view> done;  // a zone that serves two entries is read once
    for (const char* id : worldClockZoneIds) {
        if (!done.insert(id).second) continue;
        std::vector<ZoneInterval> intervals = zoneOffsets(id, from, until);
        if (intervals.empty()) continue;
        zones += zones.empty() ? "{" : ",";
        zones += std::string("\"") + id + "\":";
        appendIntervals(zones, intervals);
    }
    zones += zones.empty() ? "{}" : "}";
    std::string local;
    appendIntervals(local, localOffsets(from, until));
    return "window.hostZones = {\"from\":" + std::to_string(from * 1000) +
           ",\"until\":" + std::to_string(until * 1000) + ",\"prepared\":" + decimal(threadMilliseconds() - began) +
           ",\"local\":" + local + ",\"zones\":" + zones + "};\n";
}

void startPreparingZoneOffsets() {
    const std::int64_t now = secondsNow();
    preparing =
        Preparing{now - day, std::async(std::launch::async, zoneOffsetsScript, now - day, now + spanDays * day)};
}

ZoneScript::ZoneScript(WebKitWebView* view) : view_(view) {
    if (preparing) {
        // How long the start waits for the offsets, for the view bench.
        const auto began = std::chrono::steady_clock::now();
        from_ = preparing->from;
        text_ = preparing->text.get();
        preparing.reset();
        const std::chrono::duration<double, std::milli> waited = std::chrono::steady_clock::now() - began;
        text_ += "window.hostZones.waited = " + decimal(waited.count()) + ";\n";
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
    webkit_web_view_evaluate_javascript(script->view_, script->text_.c_str(), -1, nullptr, nullptr, nullptr, nullptr,
                                        nullptr);
    return G_SOURCE_CONTINUE;
}

}  // namespace kestrun
