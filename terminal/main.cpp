// kestrun-cal: the calendar in a terminal, and a year's days as an iCalendar
// file. All of it is the calendar script (cal_script.h); this program hands it
// the command line and prints what it returns.

#include "cal_script.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
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
    // The engine reports conditions of its own on standard error wherever
    // there is no systemd journal to send them to (a container, a chroot, a
    // system without systemd). WebKitGTK 2.54 gives its threads priorities
    // of their own; a thread started by one of its low-priority threads
    // inherits the low priority, which an ordinary user may not raise back
    // (and without RealtimeKit nothing does it for them), and the engine
    // says so: "[WebKitGTK:Threading:err] Failed to apply scheduling
    // attributes to thread N". Standard error is ours, read by users and
    // scripts, so the engine's reports go to the journal, as on a desktop
    // (and are dropped without one). WEBKIT_DEBUG_OUTPUT=stderr shows them.
    setenv("WEBKIT_DEBUG_OUTPUT", "journal", 0);
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
        // The first error of standard output; nothing more is written after it.
        int outputError = 0;
        const kestrun::OutputSink write = [&outputError](const std::string& text) {
            errno = 0;
            if (outputError == 0 && !print(stdout, text)) outputError = errno ? errno : EIO;
            return outputError == 0;
        };
        const kestrun::CalOutput output =
            kestrun::runCalScript(args, kestrun::describeStandardOutput(), holidays, days, write);
        if (!write(output.out)) {
            std::fprintf(stderr, "kestrun-cal: standard output: %s\n", std::strerror(outputError));
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
