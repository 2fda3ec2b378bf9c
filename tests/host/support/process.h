#pragma once
// Child processes for the tests that run the real program: a private X
// display with a window manager, the program itself, and small commands.

#include <glib.h>

#include <optional>
#include <string>
#include <vector>

namespace kestrun::test {

class Process {
public:
    // Starts argv with the given extra environment ("NAME=value"); stderr
    // (and stdout, when `captureStdout`) go to pipes the test can read.
    Process(const std::vector<std::string>& argv, const std::vector<std::string>& environment,
            bool captureStdout = false);
    ~Process();  // kills the process if it still runs
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    // The exit status once the process has ended within `seconds`.
    std::optional<int> waitForExit(double seconds);
    // The first line the process writes to stdout.
    std::string readStdoutLine();
    // What the process wrote to stderr (read after it has ended).
    std::string readStderr();

private:
    GPid pid_ = 0;
    int stdout_ = -1;
    int stderr_ = -1;
    bool ended_ = false;
};

// An Xvfb display of its own with openbox running on it.
class Display {
public:
    Display();
    const std::string& name() const { return name_; }  // ":N"

private:
    std::optional<Process> server_;
    std::string name_;
    std::optional<Process> windowManager_;
};

// Runs a command to its end and returns its stdout; `status` gets the exit status.
std::string runCommand(const std::vector<std::string>& argv, const std::vector<std::string>& environment,
                       int* status = nullptr);

}  // namespace kestrun::test
