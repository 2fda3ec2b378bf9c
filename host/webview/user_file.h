#pragma once
// What the page is given of a text file the user keeps for the program (the
// page cannot read files): the JSON text of { file, text }, { file, error }
// when it exists but cannot be used, or { file } when there is none. A file
// read line by line loses only its lines that are not UTF-8: they are empty
// in the text, and their numbers are in notUtf8.

#include <cstddef>
#include <string>

namespace kestrun {

// `problem` receives why the file cannot be used, or is cleared.
std::string userFileJson(const std::string& path, std::size_t limit, std::string& problem, bool lineByLine = false);

}  // namespace kestrun
