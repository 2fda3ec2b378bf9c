#include "platform/file_delete.h"

#include "platform/runtime_error.h"

#include <unistd.h>

#include <cerrno>

namespace kestrun {

void Kill(const std::string& path) {
    if (::unlink(path.c_str()) != 0) throwSystemError("delete file", path, errno);
}

}  // namespace kestrun
