#include "days/days_file.h"

#include "platform/glib_ptr.h"
#include "platform/runtime_error.h"
#include "platform/text_file_input.h"

#include <glib/gstdio.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

namespace kestrun {

namespace {

constexpr const char* editOperation = "change the days file";
// As the window reads it.
constexpr std::size_t daysFileLimit = 1 << 20;
constexpr const char* byteOrderMark = "\xEF\xBB\xBF";

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

// A line as the page reads it: no byte-order mark, no carriage return.
std::string bare(std::string line, bool first) {
    if (first && line.rfind(byteOrderMark, 0) == 0) line.erase(0, 3);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
}

// Writes the file beside the path and renames it over the path: a reader
// sees the old file or the new one, never a part, and a link's other names
// keep theirs. By hand, not with g_file_set_contents, which gives the new
// file the mode it is passed less the umask rather than the old file's.
void replaceFile(const std::string& path, const std::string& bytes, mode_t mode) {
    std::string temporary = path + ".XXXXXX";
    const int fd = g_mkstemp_full(temporary.data(), O_WRONLY | O_CLOEXEC, 0600);
    if (fd < 0) throwSystemError(editOperation, path, errno);
    int error = ::fchmod(fd, mode) == 0 ? 0 : errno;
    for (std::size_t done = 0; error == 0 && done < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno != EINTR) error = errno;
        if (n > 0) done += static_cast<std::size_t>(n);
    }
    if (error == 0 && ::fsync(fd) != 0) error = errno;
    if (::close(fd) != 0 && error == 0) error = errno;
    if (error == 0 && g_rename(temporary.c_str(), path.c_str()) != 0) error = errno;
    if (error != 0) {
        g_unlink(temporary.c_str());
        throwSystemError(editOperation, path, error);
    }
}

}  // namespace

std::string editedDays(const std::string& text, const DayEdit& edit, const std::string& path) {
    std::vector<std::string> lines = linesOf(text);
    // A file written with CR LF keeps them.
    const std::string end = (!lines.empty() && !lines[0].empty() && lines[0].back() == '\r') ? "\r" : "";
    if (edit.line == 0) {
        lines.push_back(edit.newText + end);
    } else {
        const auto at = static_cast<std::size_t>(edit.line - 1);
        if (at >= lines.size() || bare(lines[at], at == 0) != edit.oldText)
            throw RuntimeError(editOperation, path, "the file was changed meanwhile; look at the day again");
        const std::string mark = (at == 0 && lines[0].rfind(byteOrderMark, 0) == 0) ? byteOrderMark : "";
        if (edit.newText.empty())
            lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(at));
        else
            lines[at] = mark + edit.newText + end;
    }
    std::string out;
    for (const auto& line : lines) out += line + "\n";
    return out;
}

void applyDayEdit(const std::string& path, const DayEdit& edit) {
    if (edit.line != 0 && edit.newText == edit.oldText) return;
    // Bytes as they are: a line that is not UTF-8 is the user's to mend, and kept.
    const std::string text = readUserFile(path, daysFileLimit).value_or("");
    const std::string out = editedDays(text, edit, path);
    struct stat info {};
    mode_t mode = 0600;
    if (::stat(path.c_str(), &info) == 0) {
        // The file is replaced through its folder, which its own mode does
        // not guard: a file without any write permission (root may write it
        // all the same) is the user's word that it stays as it is.
        if ((info.st_mode & 0222) == 0 || (::access(path.c_str(), W_OK) != 0 && (errno == EACCES || errno == EROFS)))
            throw RuntimeError(editOperation, path, "只读");
        mode = info.st_mode & 07777;
    } else if (errno != ENOENT) {
        throwSystemError(editOperation, path, errno);
    }
    GCharPtr folder(g_path_get_dirname(path.c_str()));
    if (g_mkdir_with_parents(folder.get(), 0700) != 0) throwSystemError(editOperation, folder.get(), errno);
    replaceFile(path, out, mode);
}

}  // namespace kestrun
