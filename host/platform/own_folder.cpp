#include "platform/own_folder.h"

#include "platform/glib_ptr.h"
#include "platform/runtime_error.h"

#include <glib.h>
#include <glib/gstdio.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

namespace kestrun {

namespace {

constexpr const char* useOperation = "use the folder";

// Why the open folder may not be used, or empty.
std::string refusal(int fd) {
    struct stat info {};
    if (::fstat(fd, &info) != 0) return g_strerror(errno);
    if (info.st_uid != ::geteuid())
        return "The folder belongs to another user (uid " + std::to_string(info.st_uid) + ")";
    if ((info.st_mode & (S_IWGRP | S_IWOTH)) != 0) return "Other users may write in the folder";
    return {};
}

}  // namespace

OwnFolder::OwnFolder(std::string path, bool make) : path_(std::move(path)) {
    // mkdir never follows a link at the name; the parents are the user's own
    // affair (a linked ~/.cache, say).
    if (make) {
        const GCharPtr parent(g_path_get_dirname(path_.c_str()));
        if (g_mkdir_with_parents(parent.get(), 0700) != 0 || (::mkdir(path_.c_str(), 0700) != 0 && errno != EEXIST))
            throwSystemError(useOperation, path_, errno);
    }
    struct stat link {};
    if (::lstat(path_.c_str(), &link) == 0 && S_ISLNK(link.st_mode))
        throw RuntimeError(useOperation, path_, "The path is a symbolic link");
    fd_ = ::open(path_.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd_ < 0) throwSystemError(useOperation, path_, errno);
    const std::string reason = refusal(fd_);
    if (reason.empty()) return;
    ::close(fd_);
    fd_ = -1;
    throw RuntimeError(useOperation, path_, reason);
}

OwnFolder::~OwnFolder() {
    if (fd_ >= 0) ::close(fd_);
}

OwnFolder::OwnFolder(OwnFolder&& other) noexcept : path_(std::move(other.path_)), fd_(std::exchange(other.fd_, -1)) {}

OwnFolder& OwnFolder::operator=(OwnFolder&& other) noexcept {
    if (this == &other) return *this;
    if (fd_ >= 0) ::close(fd_);
    path_ = std::move(other.path_);
    fd_ = std::exchange(other.fd_, -1);
    return *this;
}

std::string OwnFolder::file(const std::string& name) const {
    if (!path_.empty() && path_.back() == '/') return path_ + name;
    return path_ + "/" + name;
}

}  // namespace kestrun
