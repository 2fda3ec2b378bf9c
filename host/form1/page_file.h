#pragma once
// The page file "readto.htm" beside the executable: what the load handler
// writes and the unload handler removes. No display needed.

#include <string>
#include <string_view>

namespace kestrun {

// The page, string 101 followed by string 102.
std::u16string pageText();

// Path of the page file in `folder` (a folder as App.Path gives it: no
// trailing separator except for the root folder).
std::string pagePathIn(const std::string& folder);

// Writes the page in code page 936 with a final CR LF as a new file that
// replaces the one at `path` (never writing through it: a hard link's other
// names keep their content), and leaves it exactly hidden. A file that could
// not be written whole is removed before the error is thrown.
void writePageFile(const std::string& path, std::u16string_view text);

// Writes the page file again when it has gone meanwhile.
void restorePageFile(const std::string& path, std::u16string_view text);

// Clears the attributes of the page file and deletes it; does nothing when the
// file has already gone.
void removePageFile(const std::string& path);

}  // namespace kestrun
