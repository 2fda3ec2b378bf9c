#pragma once
// Where the page file goes: beside the program wherever its user can write
// there (a build, a copy in the home folder), else in a private folder of the
// user's, as for a program installed system-wide.

#include <string>

namespace kestrun {

// `programFolder` when the user may write in it; otherwise kestrun/ in the
// user's runtime folder ($XDG_RUNTIME_DIR, or the user's cache folder where
// that is not set), made private (0700) if needed. When that cannot be made
// either, `programFolder`, so that writing the page names the first place.
std::string pageFolder(const std::string& programFolder);

}  // namespace kestrun
