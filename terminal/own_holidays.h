#pragma once
// The user's own holiday table, kestrun/holidays.tsv in the user's data
// folder (~/.local/share unless XDG_DATA_HOME says otherwise), which takes
// the place of the shipped years it holds.

#include <optional>
#include <string>

namespace kestrun {

struct OwnHolidays {
    std::string path;
    std::optional<std::string> text;  // empty when there is no such file or it cannot be used
    std::string problem;              // why an existing file cannot be used, else empty
};

OwnHolidays readOwnHolidays();

}  // namespace kestrun
