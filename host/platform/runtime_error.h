#pragma once
// The one kind of failure the host knows: a platform operation that did not
// succeed. It carries what was attempted, on which path, and the system's
// reason, which is what the error report shows.

#include <stdexcept>
#include <string>

namespace kestrun {

class RuntimeError : public std::runtime_error {
public:
    RuntimeError(std::string operation, std::string path, std::string reason);

    const std::string& operation() const { return operation_; }
    const std::string& path() const { return path_; }
    const std::string& reason() const { return reason_; }

private:
    std::string operation_;
    std::string path_;
    std::string reason_;
};

// Throws a RuntimeError whose reason is the system's text for errno value `error`.
[[noreturn]] void throwSystemError(const std::string& operation, const std::string& path, int error);

}  // namespace kestrun
