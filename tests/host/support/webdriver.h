#pragma once
// Just enough of a WebDriver client to drive the program through
// WebKitWebDriver: start a session on a binary, run a script, read the result.

#include "support/process.h"

#include <optional>
#include <string>
#include <vector>

namespace kestrun::test {

class WebDriver {
public:
    // Starts WebKitWebDriver on a free local port with the given environment.
    explicit WebDriver(const std::vector<std::string>& environment);

    // Starts `binary` with --automation in a new session.
    void startSession(const std::string& binary);

    // Runs the script body in the page and returns its result as JSON text.
    std::string execute(const std::string& script);

private:
    std::string request(const char* method, const std::string& path, const std::string& body);

    int port_;
    std::optional<Process> driver_;
    std::string session_;
};

}  // namespace kestrun::test
