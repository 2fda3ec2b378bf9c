#pragma once
// Reading a small text file the user keeps for the program.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace kestrun {

// The whole content of the file at `path` as it is, or nothing when there is
// no file there. Throws RuntimeError when the file cannot be read, is not a
// regular file or is larger than `limit` bytes.
std::optional<std::string> readUserFile(const std::string& path, std::size_t limit);

// The whole content of the file at `path`, or nothing when there is no file
// there. Throws RuntimeError when the file cannot be read, is not a regular
// file, is larger than `limit` bytes or is not UTF-8 text.
std::optional<std::string> readUserTextFile(const std::string& path, std::size_t limit);

// Empties each line of `text` that is not UTF-8, its line end kept, and
// gives their numbers (from 1): for a file whose lines stand alone.
std::vector<int> emptyLinesNotUtf8(std::string& text);

}  // namespace kestrun
