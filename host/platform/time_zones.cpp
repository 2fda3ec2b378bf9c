#include "platform/time_zones.h"

#include "platform/glib_ptr.h"
#include "platform/runtime_error.h"

#include <cerrno>
#include <ctime>

namespace kestrun {

namespace {

// GTimeZone numbers a zone's intervals from 0 in time order; the one in force
// at t (UTC) is found by a walk over its transitions.
int intervalAt(GTimeZone* zone, std::int64_t t) { return g_time_zone_find_interval(zone, G_TIME_TYPE_UNIVERSAL, t); }

// The first second of interval `k`, given a time before it (`before`) and one
// in it or after it (`atOrAfter`). GLib gives no interval's start, hence the
// search.
std::int64_t intervalStart(GTimeZone* zone, int k, std::int64_t before, std::int64_t atOrAfter) {
    while (atOrAfter - before > 1) {
        std::int64_t middle = before + (atOrAfter - before) / 2;
        if (intervalAt(zone, middle) >= k)
            atOrAfter = middle;
        else
            before = middle;
    }
    return atOrAfter;
}

// Whether interval `k` is summer time. The database may give a zone's winter
// as its daylight-saving time, set back from a standard time that is its
// summer (Europe/Dublin's GMT, Morocco's hour back in Ramadan). A clock set
// back is not summer time; a standard time between two such set-back times
// is. (A standard time that merely followed one, as Namibia's since 2017,
// is not.)
bool isSummer(GTimeZone* zone, int k, int last) {
    const int offset = g_time_zone_get_offset(zone, k);
    auto setBack = [&](int other) {
        return other >= 0 && other <= last && g_time_zone_is_dst(zone, other) &&
               g_time_zone_get_offset(zone, other) < offset;
    };
    auto aheadOfStandard = [&](int other) {
        return other >= 0 && other <= last && !g_time_zone_is_dst(zone, other) &&
               g_time_zone_get_offset(zone, other) > offset;
    };
    if (g_time_zone_is_dst(zone, k)) return !aheadOfStandard(k - 1) && !aheadOfStandard(k + 1);
    return setBack(k - 1) && setBack(k + 1);
}

ZoneInterval localAt(std::int64_t t) {
    std::time_t time = static_cast<std::time_t>(t);
    std::tm fields{};
    if (localtime_r(&time, &fields) == nullptr) throwSystemError("read the local time", "", errno);
    return {t, static_cast<int>(fields.tm_gmtoff), fields.tm_isdst > 0};
}

bool sameTime(const ZoneInterval& a, const ZoneInterval& b) { return a.offset == b.offset && a.daylight == b.daylight; }

}  // namespace

std::vector<ZoneInterval> zoneOffsets(const std::string& id, std::int64_t from, std::int64_t until) {
    // Unlike g_time_zone_new(), which gives UTC for a name it cannot read.
    GTimeZonePtr zone(g_time_zone_new_identifier(id.c_str()));
    if (!zone) return {};
    const int last = intervalAt(zone.get(), G_MAXINT64);
    const int first = intervalAt(zone.get(), from);
    const int end = intervalAt(zone.get(), until);
    std::vector<ZoneInterval> intervals;
    std::int64_t start = from;
    for (int k = first; k <= end; ++k) {
        if (k > first) start = intervalStart(zone.get(), k, start, until);
        ZoneInterval interval{start, g_time_zone_get_offset(zone.get(), k), isSummer(zone.get(), k, last)};
        // A change of the zone's abbreviation alone is no change of its time.
        if (intervals.empty() || !sameTime(interval, intervals.back())) intervals.push_back(interval);
    }
    return intervals;
}

// The C library is what the local time of this system is (date(1), every
// program), and it reads TZ forms that GTimeZone reads differently (a
// daylight name without rules, Julian-day rules), so the local zone is read
// through it. It gives no transitions, only the time at an instant: the span
// is walked hour by hour, and each change is narrowed down to its second.
std::vector<ZoneInterval> localOffsets(std::int64_t from, std::int64_t until) {
    constexpr std::int64_t step = 3600;
    tzset();
    std::vector<ZoneInterval> intervals{localAt(from)};
    for (std::int64_t t = from; t < until;) {
        std::int64_t next = t + step < until ? t + step : until;
        ZoneInterval there = localAt(next);
        if (!sameTime(there, intervals.back())) {
            std::int64_t before = t;
            while (next - before > 1) {
                std::int64_t middle = before + (next - before) / 2;
                if (sameTime(localAt(middle), intervals.back()))
                    before = middle;
                else
                    next = middle;
            }
            there = localAt(next);
        }
        if (!sameTime(there, intervals.back())) intervals.push_back(there);
        t = next;
    }
    return intervals;
}

}  // namespace kestrun
