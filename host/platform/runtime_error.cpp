#include "platform/runtime_error.h"

#include <cstring>

namespace kestrun {

namespace {
std::string describe(const std::string& operation, const std::string& path, const std::string& reason) {
    std::string text = "Run-time error: " + operation;
    if (!path.empty()) text += "\n" + path;
    if (!reason.empty()) text += "\n" + reason;
    return text;
}
}  // namespace

RuntimeError::RuntimeError(std::string operation, std::string path, std::string reason)
    : std::runtime_error(describe(operation, path, reason)),
      operation_(std::move(operation)),
      path_(std::move(path)),
      reason_(std::move(reason)) {}

void throwSystemError(const std::string& operation, const std::string& path, int error) {
    throw RuntimeError(operation, path, std::strerror(error));
}

}  // namespace kestrun
