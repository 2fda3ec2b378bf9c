#include "platform/time_zones.h"

#include "zone_ids.h"

#include <glib.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <ctime>
#include <set>
#include <string>

namespace kestrun {
namespace {

constexpr std::int64_t day = 86400;

// The reference is the C library's own reader of the time-zone database,
// under TZ=tz; TZ is restored after each test.
class TimeZones : public ::testing::Test {
protected:
    void TearDown() override {
        if (saved) setenv("TZ", saved->c_str(), 1);
        else unsetenv("TZ");
        tzset();
    }
    const char* old = std::getenv("TZ");
    std::optional<std::string> saved = old ? std::optional<std::string>(old) : std::nullopt;
};

ZoneInterval referenceAt(std::int64_t t) {
    const std::time_t time = static_cast<std::time_t>(t);
    std::tm fields{};
    localtime_r(&time, &fields);
    return {t, static_cast<int>(fields.tm_gmtoff), fields.tm_isdst > 0};
}

// The intervals agree with the reference (TZ set by the caller) at each
// start, the second before it and every hour of [from, until], and each
// differs from the one before.
// `inverted`: zones whose database winter is "daylight saving" set back from
// a summer standard time (Dublin's GMT, Morocco's Ramadan hour); the clocks
// mark the time that is ahead as summer time.
void expectAgreement(const char* tz, const std::vector<ZoneInterval>& given, std::int64_t from, std::int64_t until,
                     bool inverted = false) {
    ASSERT_FALSE(given.empty()) << tz;
    EXPECT_EQ(given.front().start, from) << tz;
    auto check = [&](std::int64_t t, const ZoneInterval& shown) {
        const ZoneInterval inForce = referenceAt(t);
        EXPECT_EQ(shown.offset, inForce.offset) << tz << " at " << t;
        EXPECT_EQ(shown.daylight, inForce.daylight != inverted) << tz << " at " << t;
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

TEST_F(TimeZones, EveryWorldClockZoneAgreesWithTheCLibrary) {
    const std::int64_t now = g_get_real_time() / G_USEC_PER_SEC;
    const std::set<std::string> inverted{"Europe/Dublin", "Africa/Casablanca"};
    for (const char* id : worldClockZoneIds) {
        setenv("TZ", id, 1);
        tzset();
        expectAgreement(id, zoneOffsets(id, now - day, now + 400 * day), now - day, now + 400 * day,
                        inverted.count(id) > 0);
    }
    for (const char* id : {"Mars/Olympus_Mons", "", "Asia/", "../../etc/passwd"})
        EXPECT_TRUE(zoneOffsets(id, 0, 400 * day).empty()) << id;
}

// The local time follows TZ in forms that GLib's zone reader takes
// differently from the C library (a daylight name without rules).
TEST_F(TimeZones, LocalTimeFollowsEveryFormOfTz) {
    const std::int64_t now = g_get_real_time() / G_USEC_PER_SEC;
    for (const char* tz : {"CST-8", "ABC5DEF", "<+0330>-3:30", "EST5EDT,M3.2.0,M11.1.0", ":America/Asuncion",
                           "Africa/Cairo", "Europe/Dublin"}) {
        // No tzset() between the program's reading and the reference's: for a
        // TZ without rules, the C library's second tzset() can move a change by
        // hours from where the first put it.
        setenv("TZ", tz, 1);
        expectAgreement(tz, localOffsets(now - day, now + 400 * day), now - day, now + 400 * day);
    }
}

}  // namespace
}  // namespace kestrun
