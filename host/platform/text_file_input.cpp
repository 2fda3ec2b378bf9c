#include "platform/text_file_input.h"

#include "platform/runtime_error.h"

#include <glib.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace kestrun {

namespace {

constexpr const char* readOperation = "read file";

// Owns an open descriptor (-1: none).
struct Fd {
    int fd = -1;
    explicit Fd(int value) : fd(value) {}
    ~Fd() {
        if (fd >= 0) ::close(fd);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
};

// Line (from 1) of the first byte that is not part of valid UTF-8.
std::size_t badLine(const std::string& text) {
    const gchar* end = nullptr;
    g_utf8_validate(text.data(), static_cast<gssize>(text.size()), &end);
    return 1 + static_cast<std::size_t>(std::count(text.data(), end, '\n'));
}

}  // namespace

std::optional<std::string> readUserFile(const std::string& path, std::size_t limit) {
    // O_NONBLOCK: a FIFO at the path must not hang the start-up.
    Fd file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (file.fd < 0) {
        if (errno == ENOENT) return std::nullopt;
        throwSystemError(readOperation, path, errno);
    }
    struct stat info {};
    if (::fstat(file.fd, &info) != 0) throwSystemError(readOperation, path, errno);
    if (!S_ISREG(info.st_mode)) throw RuntimeError(readOperation, path, "not a regular file");
    if (static_cast<std::size_t>(info.st_size) > limit)
        throw RuntimeError(readOperation, path, "larger than " + std::to_string(limit) + " bytes");

    std::string text;
    char buffer[8192];
    for (;;) {
        const ssize_t n = ::read(file.fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) throwSystemError(readOperation, path, errno);
        if (n == 0) break;
        text.append(buffer, static_cast<std::size_t>(n));
        if (text.size() > limit)
            throw RuntimeError(readOperation, path, "larger than " + std::to_string(limit) + " bytes");
    }
    return text;
}

std::optional<std::string> readUserTextFile(const std::string& path, std::size_t limit) {
    std::optional<std::string> text = readUserFile(path, limit);
    if (text && !g_utf8_validate(text->data(), static_cast<gssize>(text->size()), nullptr))
        throw RuntimeError(readOperation, path, "not UTF-8 text (line " + std::to_string(badLine(*text)) + ")");
    return text;
}

std::vector<int> emptyLinesNotUtf8(std::string& text) {
    std::vector<int> bad;
    std::string kept;
    kept.reserve(text.size());
    std::size_t start = 0;
    for (int line = 1; start < text.size(); line++) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        if (g_utf8_validate(text.data() + start, static_cast<gssize>(end - start), nullptr))
            kept.append(text, start, end - start);
        else
            bad.push_back(line);
        kept.append(text, end, 1);
        start = end + 1;
    }
    text = std::move(kept);
    return bad;
}

}  // namespace kestrun
