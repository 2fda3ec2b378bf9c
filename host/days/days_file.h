#pragma once
// Changes to the user's days.tsv made from the window: one line added,
// replaced or removed, the rest of the file (comments, order, line ends)
// kept as it was, and the file replaced whole so that no reader ever sees
// half of it.

#include <string>

namespace kestrun {

// line 0: add newText at the end; else line `line` (from 1), which must
// still read oldText, becomes newText, or goes when newText is empty.
struct DayEdit {
    int line = 0;
    std::string oldText;
    std::string newText;
};

// The text with the edit made. Throws RuntimeError when the line no longer
// reads what the window showed (the file changed meanwhile).
std::string editedDays(const std::string& text, const DayEdit& edit, const std::string& path);

// Reads the file at path (none yet is an empty one), makes the edit and
// writes it back in one step with the mode it had, creating its folder when
// needed. An edit that changes nothing writes nothing. A file the user may
// not write, or has made read-only, is refused ("只读") and left as it is.
void applyDayEdit(const std::string& path, const DayEdit& edit);

}  // namespace kestrun
