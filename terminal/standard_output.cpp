#include "standard_output.h"

#include <sys/ioctl.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

namespace kestrun {

namespace {

// COLUMNS when it is a plain positive number of sane size, else 0.
int columnsVariable() {
    const char* text = std::getenv("COLUMNS");
    if (!text || !*text) return 0;
    char* end = nullptr;
    const long columns = std::strtol(text, &end, 10);
    return (*end == '\0' && columns > 0 && columns <= 10000) ? static_cast<int>(columns) : 0;
}

}  // namespace

StandardOutput describeStandardOutput() {
    StandardOutput out;
    out.tty = isatty(STDOUT_FILENO) == 1;
    winsize size{};
    if (out.tty && ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0) out.width = size.ws_col;
    else if (const int columns = columnsVariable()) out.width = columns;
    out.noColor = std::getenv("NO_COLOR") != nullptr;
    if (const char* term = std::getenv("TERM")) out.term = term;
    return out;
}

}  // namespace kestrun
