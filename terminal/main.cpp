// kestrun-cal: the calendar in a terminal, and a year's days as an iCalendar
// file. All of it is the calendar script (cal_script.h); this program hands it
// the command line and prints what it returns.

#include "cal_script.h"

#include <cstdio>
#include <exception>
#include <string>
#include <vector>

namespace {

// Writes text in full; false when the stream fails (a full disk, a closed pipe).
bool print(std::FILE* stream, const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stream);
    return std::fflush(stream) == 0 && !std::ferror(stream);
}

}  // namespace

int main(int argc, char** argv) {
    try {
        const std::vector<std::string> args(argv + 1, argv + argc);
        const kestrun::OwnFile holidays = kestrun::readOwnFile("holidays.tsv");
        if (!holidays.problem.empty())
            std::fprintf(stderr, "kestrun-cal: cannot read %s: %s; the shipped holiday data is used\n",
                         holidays.path.c_str(), holidays.problem.c_str());
        const kestrun::OwnFile days = kestrun::readOwnFile("days.tsv", true);
        if (!days.problem.empty())
            std::fprintf(stderr, "kestrun-cal: cannot read %s: %s; no days of your own are shown\n",
                         days.path.c_str(), days.problem.c_str());
        const kestrun::CalOutput output =
            kestrun::runCalScript(args, kestrun::describeStandardOutput(), holidays, days);
        if (!print(stdout, output.out)) {
            std::perror("kestrun-cal: standard output");
            return 1;
        }
        // A failing standard error leaves nowhere to report to; the status still tells.
        print(stderr, output.err);
        return output.status;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "kestrun-cal: %s\n", error.what());
        return 1;
    }
}
