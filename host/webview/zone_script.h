#pragma once
// The offsets the clocks need, from the system's time-zone database, given to
// the page before any of its scripts runs: the global `hostZones`, with the
// offsets of every zone of the world clock and of the local time over a span
// from a day before now to 400 days after, renewed once a day.

#include "platform/glib_ptr.h"

#include <webkit2/webkit2.h>

#include <cstdint>
#include <memory>
#include <string>

namespace kestrun {

// The script text for the span [from, until] (seconds since 1970, UTC).
std::string zoneOffsetsScript(std::int64_t from, std::int64_t until);

// Starts preparing the script on a thread of its own, so that reading some
// 200 zone files overlaps the start of the display and the window; the first
// ZoneScript takes the result (without this call it prepares it itself).
void startPreparingZoneOffsets();

class ZoneScript {
public:
    // Adds the script to the view's user content; call before the first load.
    explicit ZoneScript(WebKitWebView* view);
    ~ZoneScript();
    ZoneScript(const ZoneScript&) = delete;
    ZoneScript& operator=(const ZoneScript&) = delete;

private:
    void install();
    void prepare(std::int64_t now);
    static gboolean onHour(gpointer self);

    WebKitWebView* view_;
    FreedPtr<WebKitUserScript, webkit_user_script_unref> script_;
    std::string text_;
    std::int64_t from_ = 0;
    guint timer_ = 0;
};

}  // namespace kestrun
