#pragma once
// Deleting a file.

#include <string>

namespace kestrun {

// Removes the file (a symbolic link itself, never its target).
void Kill(const std::string& path);

}  // namespace kestrun
