#include "platform/sequential_file.h"

#include "platform/codepage936.h"
#include "platform/runtime_error.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace kestrun {

namespace {
constexpr const char* openOperation = "open file for output";
}

SequentialOutput::SequentialOutput(std::string path) : path_(std::move(path)) {
    // O_NONBLOCK: opening a FIFO planted at the path must not hang; O_TRUNC
    // waits until we know it is a regular file.
    fd_ = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0644);
    if (fd_ < 0) {
        if (errno == ELOOP) throw RuntimeError(openOperation, path_, "The path is a symbolic link");
        throwSystemError(openOperation, path_, errno);
    }

    struct stat info {};
    if (::fstat(fd_, &info) != 0) {
        const int error = errno;
        ::close(fd_);
        throwSystemError(openOperation, path_, error);
    }
    if (!S_ISREG(info.st_mode)) {
        ::close(fd_);
        throw RuntimeError(openOperation, path_, "Not a regular file");
    }
    if (::ftruncate(fd_, 0) != 0 || ::fcntl(fd_, F_SETFL, 0) != 0) {
        const int error = errno;
        ::close(fd_);
        throwSystemError(openOperation, path_, error);
    }
}

SequentialOutput::~SequentialOutput() {
    // Only reached with an open file when an error is already on its way.
    if (fd_ >= 0) ::close(fd_);
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
    if (::close(fd) != 0) throwSystemError("close file", path_, errno);
}

}  // namespace kestrun
