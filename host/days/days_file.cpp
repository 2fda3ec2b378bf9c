#include "days/days_file.h"

#include "platform/glib_ptr.h"
#include "platform/runtime_error.h"
#include "platform/text_file_input.h"

#include <glib/gstdio.h>

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
    const std::string text = readUserTextFile(path, daysFileLimit).value_or("");
    const std::string out = editedDays(text, edit, path);
    GCharPtr folder(g_path_get_dirname(path.c_str()));
    if (g_mkdir_with_parents(folder.get(), 0700) != 0) throwSystemError(editOperation, folder.get(), errno);
    GErrorOut error;
    // Written beside the file and renamed over it: a reader sees the old
    // file or the new one, never a part, and a link's other names keep theirs.
    if (!g_file_set_contents_full(path.c_str(), out.data(), static_cast<gssize>(out.size()),
                                  static_cast<GFileSetContentsFlags>(G_FILE_SET_CONTENTS_CONSISTENT |
                                                                     G_FILE_SET_CONTENTS_ONLY_EXISTING),
                                  0600, error.out()))
        throw RuntimeError(editOperation, path, error.get()->message);
}

}  // namespace kestrun
