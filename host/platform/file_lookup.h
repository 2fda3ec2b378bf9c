#pragma once
// Looking a file up by path with an attribute mask.

#include <string>

namespace kestrun {

// The file's name (without its folder) if `path` names a file whose hidden,
// system and directory attributes are all allowed by `mask`; otherwise, and
// when there is no such file, the empty string.
std::string Dir(const std::string& path, int mask);

}  // namespace kestrun
