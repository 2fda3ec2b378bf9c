#pragma once
// Reading a small text file the user keeps for the program.

#include <cstddef>
#include <optional>
#include <string>

namespace kestrun {

// The whole content of the file at `path`, or nothing when there is no file
// there. Throws RuntimeError when the file cannot be read, is not a regular
// file, is larger than `limit` bytes or is not UTF-8 text.
std::optional<std::string> readUserTextFile(const std::string& path, std::size_t limit);

}  // namespace kestrun
