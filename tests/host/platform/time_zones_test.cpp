#include "platform/time_zones.h"

#include "zone_ids.h"

#include <glib.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <ctime>

// Each test runs in a process of its own (CTest), so TZ is left as set.
namespace kestrun {

constexpr std::int64_t day = 86400;
const std::int64_t from = g_get_real_time() / G_USEC_PER_SEC - day, until = from + 401 * day;

// The C library's reading of the time-zone database, under the TZ the caller
// set, at t.
static std::tm inForceAt(std::int64_t t) {
    const std::time_t time = static_cast<std::time_t>(t);
    std::tm inForce{};
    localtime_r(&time, &inForce);
    return inForce;
}

// Whether, between `from` and `until`, the database gives some daylight-saving
// time behind a standard time of the zone: its winter set back from a summer
// standard time (Dublin's GMT; Morocco's Ramadan hour until 2026). The clocks
// then mark the time that is ahead as summer time. Read from the database
// itself, as which zones do this changes from one release of it to the next.
static bool daylightSetBack() {
    long lowestDaylight = LONG_MAX, highestStandard = LONG_MIN;
    for (std::int64_t t = from; t <= until; t += 3600) {
        const std::tm inForce = inForceAt(t);
        if (inForce.tm_isdst > 0)
            lowestDaylight = std::min(lowestDaylight, inForce.tm_gmtoff);
        else
            highestStandard = std::max(highestStandard, inForce.tm_gmtoff);
    }
    return lowestDaylight < highestStandard;
}

// The intervals from `from` to `until` agree with the C library at each
// start, the second before it and every hour; and each differs from the one
// before. `summerIsAhead`: the daylight flag is the time that is ahead, not
// the database's own flag (see daylightSetBack).
static void expectAgreement(const char* tz, const std::vector<ZoneInterval>& given, bool summerIsAhead = false) {
    ASSERT_FALSE(given.empty()) << tz;
    EXPECT_EQ(given.front().start, from) << tz;
    const bool inverted = summerIsAhead && daylightSetBack();
    auto check = [&](std::int64_t t, const ZoneInterval& shown) {
        const std::tm inForce = inForceAt(t);
        EXPECT_EQ(shown.offset, inForce.tm_gmtoff) << tz << " at " << t;
        EXPECT_EQ(shown.daylight, (inForce.tm_isdst > 0) != inverted) << tz << " at " << t;
    };
    for (std::size_t i = 1; i < given.size(); ++i) {
        check(given[i].start - 1, given[i - 1]);
        check(given[i].start, given[i]);
        EXPECT_TRUE(given[i].offset != given[i - 1].offset || given[i].daylight != given[i - 1].daylight) << tz;
    }
    std::size_t k = 0;
    for (std::int64_t t = from; t <= until; t += 3600) {
        while (k + 1 < given.size() && given[k + 1].start <= t) ++k;
        check(t, given[k]);
    }
}

TEST(TimeZones, EveryWorldClockZoneAgreesWithTheCLibrary) {
    for (const char* id : worldClockZoneIds) {
        setenv("TZ", id, 1);
        tzset();
        expectAgreement(id, zoneOffsets(id, from, until), true);
    }
    for (const char* id : {"Mars/Olympus_Mons", "", "Asia/", "../../etc/passwd"})
        EXPECT_TRUE(zoneOffsets(id, 0, 400 * day).empty()) << id;
}

// The local time follows TZ in forms that GLib's zone reader takes
// differently from the C library (a daylight name without rules).
TEST(TimeZones, LocalTimeFollowsEveryFormOfTz) {
    for (const char* tz : {"ABC5DEF", "<+0330>-3:30", "EST5EDT,M3.2.0,M11.1.0", ":America/Asuncion", "Europe/Dublin"}) {
        // No tzset() between the program's reading and the reference's: for a
        // TZ without rules, the C library's second tzset() can move a change by
        // hours from where the first put it.
        setenv("TZ", tz, 1);
        expectAgreement(tz, localOffsets(from, until));
    }
}

}  // namespace kestrun
