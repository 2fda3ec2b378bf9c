#include "platform/app_path.h"

#include "platform/runtime_error.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <memory>

namespace kestrun {

std::string folderOf(const std::string& filePath) {
    const auto slash = filePath.find_last_of('/');
    if (slash == std::string::npos || slash == 0) return "/";
    return filePath.substr(0, slash);
}

std::string AppPath() {
    // realpath rather than readlink: the kernel's link is already absolute, but
    // realpath also gives us the length handling and a clean error.
    std::unique_ptr<char, decltype(&std::free)> exe(realpath("/proc/self/exe", nullptr), &std::free);
    if (!exe) throwSystemError("find the program's folder", "/proc/self/exe", errno);
    return folderOf(exe.get());
}

}  // namespace kestrun
