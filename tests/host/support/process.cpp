#include "support/process.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>
#include <thread>

namespace kestrun::test {

namespace {

std::vector<char*> cStrings(std::vector<std::string>& strings) {
    std::vector<char*> pointers;
    for (auto& s : strings) pointers.push_back(s.data());
    pointers.push_back(nullptr);
    return pointers;
}

std::vector<std::string> mergedEnvironment(const std::vector<std::string>& extra) {
    std::vector<std::string> environment;
    for (char** e = environ; *e; ++e) environment.emplace_back(*e);
    for (const auto& setting : extra) {
        const auto name = setting.substr(0, setting.find('=') + 1);
        std::erase_if(environment, [&](const std::string& e) { return e.starts_with(name); });
        environment.push_back(setting);
    }
    return environment;
}

}  // namespace

Process::Process(const std::vector<std::string>& argv, const std::vector<std::string>& environment,
                 bool captureStdout) {
    auto args = argv;
    auto env = mergedEnvironment(environment);
    auto argPointers = cStrings(args);
    auto envPointers = cStrings(env);
    GError* error = nullptr;
    const auto flags = static_cast<GSpawnFlags>(G_SPAWN_DO_NOT_REAP_CHILD | G_SPAWN_SEARCH_PATH |
                                                (captureStdout ? 0 : G_SPAWN_STDOUT_TO_DEV_NULL));
    if (!g_spawn_async_with_pipes(nullptr, argPointers.data(), envPointers.data(), flags, nullptr, nullptr, &pid_,
                                  nullptr, captureStdout ? &stdout_ : nullptr, &stderr_, &error)) {
        const std::string message = error->message;
        g_error_free(error);
        throw std::runtime_error("cannot start " + argv.front() + ": " + message);
    }
}

Process::~Process() {
    if (!ended_) {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
    }
    if (stdout_ >= 0) ::close(stdout_);
    if (stderr_ >= 0) ::close(stderr_);
    g_spawn_close_pid(pid_);
}

std::optional<int> Process::waitForExit(double seconds) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (std::chrono::steady_clock::now() < deadline) {
        int status = 0;
        if (::waitpid(pid_, &status, WNOHANG) == pid_) {
            ended_ = true;
            return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return std::nullopt;
}

std::string Process::readStdoutLine() {
    std::string line;
    char c;
    while (::read(stdout_, &c, 1) == 1 && c != '\n') line += c;
    return line;
}

std::string Process::readStderr() {
    std::string text;
    char buffer[4096];
    ssize_t n;
    while ((n = ::read(stderr_, buffer, sizeof buffer)) > 0) text.append(buffer, static_cast<std::size_t>(n));
    return text;
}

Display::Display() {
    server_.emplace(std::vector<std::string>{"Xvfb", "-displayfd", "1", "-nolisten", "tcp", "-screen", "0",
                                             "1024x768x24"},
                    std::vector<std::string>{}, true);
    const std::string number = server_->readStdoutLine();
    if (number.empty()) throw std::runtime_error("Xvfb did not start");
    name_ = ":" + number;
    windowManager_.emplace(std::vector<std::string>{"openbox"}, std::vector<std::string>{"DISPLAY=" + name_});
    // openbox takes over the screen asynchronously; wait until it says so.
    for (int i = 0; i < 100; ++i) {
        int status = 1;
        runCommand({"wmctrl", "-m"}, {"DISPLAY=" + name_}, &status);
        if (status == 0) return;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    throw std::runtime_error("openbox did not start");
}

std::string runCommand(const std::vector<std::string>& argv, const std::vector<std::string>& environment,
                       int* status) {
    auto args = argv;
    auto env = mergedEnvironment(environment);
    auto argPointers = cStrings(args);
    auto envPointers = cStrings(env);
    gchar* out = nullptr;
    gint waitStatus = 0;
    GError* error = nullptr;
    if (!g_spawn_sync(nullptr, argPointers.data(), envPointers.data(),
                      static_cast<GSpawnFlags>(G_SPAWN_SEARCH_PATH | G_SPAWN_STDERR_TO_DEV_NULL), nullptr, nullptr,
                      &out, nullptr, &waitStatus, &error)) {
        const std::string message = error->message;
        g_error_free(error);
        throw std::runtime_error("cannot run " + argv.front() + ": " + message);
    }
    std::string text = out ? out : "";
    g_free(out);
    if (status) *status = WIFEXITED(waitStatus) ? WEXITSTATUS(waitStatus) : -1;
    return text;
}

}  // namespace kestrun::test
