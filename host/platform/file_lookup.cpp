#include "platform/file_lookup.h"

#include "platform/file_attributes.h"
#include "platform/runtime_error.h"

#include <sys/stat.h>

#include <cerrno>

namespace kestrun {

std::string Dir(const std::string& path, int mask) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) {
        if (errno == ENOENT || errno == ENOTDIR) return {};
        throwSystemError("find file", path, errno);
    }
    // Normal and read-only files always match; the others only when asked for.
    constexpr int onlyWhenAsked = attr::Hidden | attr::System | attr::Directory;
    if ((GetAttr(path) & onlyWhenAsked & ~mask) != 0) return {};
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace kestrun
