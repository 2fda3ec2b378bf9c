#include "platform/sequential_file.h"

#include "platform/app_path.h"
#include "platform/codepage936.h"
#include "platform/file_attributes.h"
#include "platform/runtime_error.h"

#include <glib.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace kestrun {

namespace {

constexpr const char* openOperation = "open file for output";

// What is at `name` in `folder` now must be a regular file, if anything.
void checkReplaceable(int folder, const std::string& name, const std::string& path) {
    struct stat info {};
    if (::fstatat(folder, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
        if (errno == ENOENT) return;
        throwSystemError(openOperation, path, errno);
    }
    if (S_ISLNK(info.st_mode)) throw RuntimeError(openOperation, path, "The path is a symbolic link");
    if (!S_ISREG(info.st_mode)) throw RuntimeError(openOperation, path, "Not a regular file");
}

std::string nameOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

SequentialOutput::SequentialOutput(std::string path) : path_(std::move(path)), name_(nameOf(path_)) {
    const std::string folder = path_.find('/') == std::string::npos ? "." : folderOf(path_);
    folder_ = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder_ < 0) throwSystemError(openOperation, path_, errno);
    open();
}

SequentialOutput::SequentialOutput(const OwnFolder& folder, const std::string& name)
    : path_(folder.file(name)), name_(name) {
    folder_ = ::fcntl(folder.descriptor(), F_DUPFD_CLOEXEC, 0);
    if (folder_ < 0) throwSystemError(openOperation, path_, errno);
    open();
}

// ".name.XXXXXX" beside the file (the rename stays within one file system),
// a fresh name opened exclusively: nothing planted can be written through.
void SequentialOutput::open() {
    try {
        checkReplaceable(folder_, name_, path_);
        for (int attempt = 0; fd_ < 0; ++attempt) {
            char suffix[16];
            std::snprintf(suffix, sizeof suffix, ".%06x", g_random_int() & 0xffffff);
            temporary_ = "." + name_ + suffix;
            fd_ = ::openat(folder_, temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
            if (fd_ < 0 && (errno != EEXIST || attempt == 100)) throwSystemError(openOperation, path_, errno);
        }
    } catch (...) {
        ::close(folder_);
        throw;
    }
}

SequentialOutput::~SequentialOutput() {
    // Only reached with an open file when an error is already on its way.
    if (fd_ >= 0) discard();
    ::close(folder_);
}

void SequentialOutput::discard() {
    ::close(fd_);
    fd_ = -1;
    ::unlinkat(folder_, temporary_.c_str(), 0);
}

void SequentialOutput::print(std::u16string_view item) { writeAll(toCodePage936(item) + "\r\n"); }

void SequentialOutput::setAttributes(int attributes) { SetAttrOf(fd_, path_, attributes); }

void SequentialOutput::writeAll(const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            throwSystemError("write file", path_, errno);
        }
        done += static_cast<std::size_t>(n);
    }
}

void SequentialOutput::close() {
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) {
        const int error = errno;
        ::unlinkat(folder_, temporary_.c_str(), 0);
        throwSystemError("close file", path_, error);
    }
    // Checked again: a folder or link put there meanwhile is not replaced.
    try {
        checkReplaceable(folder_, name_, path_);
    } catch (...) {
        ::unlinkat(folder_, temporary_.c_str(), 0);
        throw;
    }
    if (::renameat(folder_, temporary_.c_str(), folder_, name_.c_str()) != 0) {
        const int error = errno;
        ::unlinkat(folder_, temporary_.c_str(), 0);
        throwSystemError("close file", path_, error);
    }
}

}  // namespace kestrun
