#include "platform/sequential_file.h"

#include "platform/codepage936.h"
#include "platform/runtime_error.h"

#include <glib.h>
#include <glib/gstdio.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace kestrun {

namespace {

constexpr const char* openOperation = "open file for output";

// What is at the path now must be a regular file, if anything.
void checkReplaceable(const std::string& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) {
        if (errno == ENOENT) return;
        throwSystemError(openOperation, path, errno);
    }
    if (S_ISLNK(info.st_mode)) throw RuntimeError(openOperation, path, "The path is a symbolic link");
    if (!S_ISREG(info.st_mode)) throw RuntimeError(openOperation, path, "Not a regular file");
}

// ".name.XXXXXX" in the folder of `path`: the rename stays within one file system.
std::string temporaryTemplate(const std::string& path) {
    const auto slash = path.find_last_of('/');
    const std::size_t start = slash == std::string::npos ? 0 : slash + 1;
    return path.substr(0, start) + "." + path.substr(start) + ".XXXXXX";
}

}  // namespace

SequentialOutput::SequentialOutput(std::string path) : path_(std::move(path)), temporary_(temporaryTemplate(path_)) {
    checkReplaceable(path_);
    // A fresh name, opened exclusively: nothing planted can be written through.
    fd_ = g_mkstemp_full(temporary_.data(), O_WRONLY | O_CLOEXEC, 0644);
    if (fd_ < 0) throwSystemError(openOperation, path_, errno);
}

SequentialOutput::~SequentialOutput() {
    // Only reached with an open file when an error is already on its way.
    if (fd_ >= 0) discard();
}

void SequentialOutput::discard() {
    ::close(fd_);
    fd_ = -1;
    g_unlink(temporary_.c_str());
}

void SequentialOutput::print(std::u16string_view item) { writeAll(toCodePage936(item) + "\r\n"); }

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
        g_unlink(temporary_.c_str());
        throwSystemError("close file", path_, error);
    }
    // Checked again: a folder or link put there meanwhile is not replaced.
    try {
        checkReplaceable(path_);
    } catch (...) {
        g_unlink(temporary_.c_str());
        throw;
    }
    if (g_rename(temporary_.c_str(), path_.c_str()) != 0) {
        const int error = errno;
        g_unlink(temporary_.c_str());
        throwSystemError("close file", path_, error);
    }
}

}  // namespace kestrun
