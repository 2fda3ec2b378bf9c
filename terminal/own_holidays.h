#pragma once
// The user's own holiday table, kestrun/holidays.tsv in the user's data
// folder (~/.local/share unless XDG_DATA_HOME says otherwise), the same file
// the window reads; it takes the place of the shipped years it holds.

#include <optional>
#include <string>

namespace kestrun {

struct OwnHolidays {
    std::string path;
    std::optional<std::string> text;  // none when there is no such file or it cannot be read
    std::string problem;              // why an existing file cannot be read, else empty
};

OwnHolidays readOwnHolidays();

}  // namespace kestrun
