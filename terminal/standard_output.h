#pragma once
// What kestrun-cal's layout and colours depend on: whether standard output
// is a terminal, how many columns it has, and the user's colour wishes.

#include <string>

namespace kestrun {

struct StandardOutput {
    bool tty = false;
    int width = 80;        // the terminal's own width, else COLUMNS, else 80
    bool noColor = false;  // NO_COLOR is set, to anything
    std::string term;      // TERM, or empty
};

StandardOutput describeStandardOutput();

}  // namespace kestrun
