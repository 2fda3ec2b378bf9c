#pragma once
// The offsets from UTC that the system's time-zone database gives, over a
// span of time: for the world clock's zones (by IANA id) and for the local
// time of this process (whatever the TZ variable says, as the C library reads
// it).

#include <cstdint>
#include <string>
#include <vector>

namespace kestrun {

// From `start` (seconds since 1970, UTC) on, the zone is `offset` seconds
// east of UTC; `daylight` while it is on summer time.
struct ZoneInterval {
    std::int64_t start;
    int offset;
    bool daylight;
};

// The interval in force at `from`, then one per change up to `until`. The
// first one's start is `from`. Empty when the database has no zone `id`.
std::vector<ZoneInterval> zoneOffsets(const std::string& id, std::int64_t from, std::int64_t until);

// The same for the local time of this process.
std::vector<ZoneInterval> localOffsets(std::int64_t from, std::int64_t until);

}  // namespace kestrun
