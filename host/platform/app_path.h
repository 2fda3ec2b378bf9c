#pragma once
// The folder of the running executable.

#include <string>

namespace kestrun {

// Folder that holds the real executable (symbolic links resolved): no trailing
// separator, except for the root folder "/".
std::string AppPath();

// The folder part of an absolute file path, by the same rule.
std::string folderOf(const std::string& filePath);

}  // namespace kestrun
