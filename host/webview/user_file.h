#pragma once
// What the page is given of a text file the user keeps for the program (the
// page cannot read files): the JSON text of { file, text }, { file, error }
// when it exists but cannot be used, or { file } when there is none.

#include <cstddef>
#include <string>

namespace kestrun {

// `problem` receives why the file cannot be used, or is cleared.
std::string userFileJson(const std::string& path, std::size_t limit, std::string& problem);

}  // namespace kestrun
