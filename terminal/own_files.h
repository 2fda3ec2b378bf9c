#pragma once
// The user's own files in kestrun/ in the user's data folder (~/.local/share
// unless XDG_DATA_HOME says otherwise), the same files the window reads: the
// holiday table holidays.tsv, which takes the place of the shipped years it
// holds, and the user's own days, days.tsv.

#include <optional>
#include <string>
#include <vector>

namespace kestrun {

struct OwnFile {
    std::string path;
    std::optional<std::string> text;  // none when there is no such file or it cannot be read
    std::string problem;              // why an existing file cannot be read, else empty
    std::vector<int> notUtf8;         // lines left out (emptied) for not being UTF-8
};

// kestrun/<name> in the user's data folder. A file read line by line loses
// only its lines that are not UTF-8; any other is not used with one.
OwnFile readOwnFile(const char* name, bool lineByLine = false);

}  // namespace kestrun
