#pragma once
// The calendar script of kestrun-cal: the page's calendar engine and the
// program's own pieces, run in JavaScriptCore.

#include "own_files.h"
#include "standard_output.h"

#include <functional>
#include <string>
#include <vector>

namespace kestrun {

// What the script asks the program to print, and its exit status.
struct CalOutput {
    int status = 0;
    std::string out;
    std::string err;
};

// Prints a piece of output at once; false when it could not be written.
using OutputSink = std::function<bool(const std::string&)>;

// Runs the script's calMain on the command line (without the program name).
// out: what is known of standard output; holidays: the user's holiday
// table; days: the user's own days; write: where an iCalendar file goes as
// it is made (other forms come back whole in CalOutput::out). Throws
// std::runtime_error when the script cannot be loaded or fails.
CalOutput runCalScript(const std::vector<std::string>& args, const StandardOutput& out, const OwnFile& holidays,
                       const OwnFile& days, const OutputSink& write);

}  // namespace kestrun
