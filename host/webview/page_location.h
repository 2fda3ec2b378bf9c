#pragma once
// Where the browser is pointed for a file of the program's folder.

#include <string>

namespace kestrun {

// The file URI for the file at `path`. The browser reads a file URI's path
// as UTF-8 and cannot open a file whose folder name is in another encoding
// (a GBK name from an unconverted archive); such a folder is reached through
// a link of UTF-8 name in the user's runtime folder, the same one on every
// run, so the page's cookies stay where they were.
std::string pageUri(const std::string& path);

}  // namespace kestrun
