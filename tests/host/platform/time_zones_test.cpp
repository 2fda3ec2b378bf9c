#include "platform/time_zones.h"

#include "support/command.h"
#include "zone_ids.h"

#include <glib.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <iomanip>
#include <set>
#include <sstream>

namespace kestrun {
namespace {

constexpr std::int64_t day = 86400;

// A zone's time from `start` on, as zdump reads it.
struct Change {
    std::int64_t start;
    int offset;
    bool daylight;
};

// "+0530", "-03", "+134500" as seconds east of UTC.
int offsetSeconds(const std::string& text) {
    std::string digits = text.substr(1) + "0000";
    int seconds = std::stoi(digits.substr(0, 2)) * 3600 + std::stoi(digits.substr(2, 2)) * 60 +
                  std::stoi(digits.substr(4, 2));
    return text[0] == '-' ? -seconds : seconds;
}

// zdump, the database's own reader, for `zone` over [from, until]: the time at
// `from`, then every change. Its -i lines give the local date and time just
// after a change, the new offset and abbreviation, and "1" for daylight time.
std::vector<Change> zdump(const std::string& zone, std::int64_t from, std::int64_t until) {
    const std::string span = std::to_string(from) + "," + std::to_string(until + 1);
    std::istringstream lines(test::commandOutput({"zdump", "-i", "-t", span, zone}));
    std::vector<Change> changes;
    for (std::string line; std::getline(lines, line);) {
        std::vector<std::string> fields;
        std::istringstream split(line);
        for (std::string field; std::getline(split, field, '\t');) fields.push_back(field);
        if (fields.size() < 3) continue;
        const bool daylight = fields.size() > 4 && fields[4] == "1";
        if (fields[0] == "-") {
            changes.push_back({from, offsetSeconds(fields[2]), daylight});
            continue;
        }
        std::tm local{};
        std::istringstream(fields[0] + " " + fields[1] + ":00:00") >> std::get_time(&local, "%Y-%m-%d %H:%M:%S");
        const int offset = offsetSeconds(fields[2]);
        changes.push_back({static_cast<std::int64_t>(timegm(&local)) - offset, offset, daylight});
    }
    return changes;
}

const ZoneInterval& at(const std::vector<ZoneInterval>& intervals, std::int64_t t) {
    auto after = std::find_if(intervals.begin(), intervals.end(), [t](auto& i) { return i.start > t; });
    return *std::prev(after);
}

// The offsets given agree with zdump at every change of the span, the second
// before it and the second after it, and change nowhere else. `inverted`:
// zones whose database winter is "daylight saving" set back from a summer
// standard time (Dublin's GMT, Morocco's Ramadan hour); the clocks mark the
// time that is ahead as summer time.
void expectAgreement(const std::string& zone, const std::vector<ZoneInterval>& given, std::int64_t from,
                     std::int64_t until, bool inverted) {
    ASSERT_FALSE(given.empty()) << zone;
    EXPECT_EQ(given.front().start, from) << zone;
    std::vector<Change> expected = zdump(zone, from, until);
    ASSERT_FALSE(expected.empty()) << zone;
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const Change& change = expected[i];
        for (std::int64_t t : {change.start - 1, change.start, change.start + 1}) {
            if (t < from || t > until) continue;
            const Change& inForce = t < change.start ? expected[i - 1] : change;
            const ZoneInterval& shown = at(given, t);
            EXPECT_EQ(shown.offset, inForce.offset) << zone << " at " << t;
            EXPECT_EQ(shown.daylight, inForce.daylight != inverted) << zone << " at " << t;
        }
    }
    EXPECT_EQ(given.size(), expected.size()) << zone << ": changes zdump does not know";
}

TEST(TimeZones, EveryWorldClockZoneAgreesWithZdump) {
    const std::int64_t now = g_get_real_time() / G_USEC_PER_SEC;
    const std::int64_t from = now - day, until = now + 400 * day;
    const std::set<std::string> inverted{"Europe/Dublin", "Africa/Casablanca"};
    for (const char* id : worldClockZoneIds)
        expectAgreement(id, zoneOffsets(id, from, until), from, until, inverted.count(id) > 0);
}

TEST(TimeZones, AZoneTheDatabaseLacksGivesNothing) {
    for (const char* id : {"Mars/Olympus_Mons", "", "Asia/", "../../etc/passwd"})
        EXPECT_TRUE(zoneOffsets(id, 0, 400 * day).empty()) << id;
}

// The local time follows TZ as the C library reads it, in forms that the
// database's zone reader takes differently (a daylight name without rules).
TEST(TimeZones, LocalTimeFollowsEveryFormOfTz) {
    const char* saved = std::getenv("TZ");
    const std::string restore = saved ? saved : "";
    const std::int64_t now = g_get_real_time() / G_USEC_PER_SEC;
    for (const char* tz : {"CST-8", "ABC5DEF", "<+0330>-3:30", "EST5EDT,M3.2.0,M11.1.0", ":America/Asuncion",
                           "Africa/Cairo", "Europe/Dublin"}) {
        setenv("TZ", tz, 1);
        expectAgreement(tz, localOffsets(now - day, now + 400 * day), now - day, now + 400 * day, false);
    }
    if (saved) setenv("TZ", restore.c_str(), 1);
    else unsetenv("TZ");
    tzset();
}

}  // namespace
}  // namespace kestrun
