#pragma once
// Where the page file goes: beside the program wherever its user can write
// there (a build, a copy in the home folder), else in a private folder of the
// user's, as for a program installed system-wide. Each place must be a folder
// of the user's own (see OwnFolder): a runtime folder shared with other users,
// or a link to another user's folder, would let them replace the page.

#include "platform/own_folder.h"

#include <string>

namespace kestrun {

// The places tried, in order; an empty one is skipped.
struct PagePlaces {
    std::string program;  // the program's folder, when its user may write in it
    std::string runtime;  // kestrun/ in $XDG_RUNTIME_DIR, when that is set
    std::string cache;    // kestrun/ in the user's cache folder
};

// The places for a program in `programFolder`, from the environment.
PagePlaces pagePlaces(const std::string& programFolder);

// The first place that is a folder of the user's own, the last two made
// (0700) when missing. Throws RuntimeError naming every place tried and why
// it was refused.
OwnFolder pageFolder(const PagePlaces& places);

}  // namespace kestrun
