#include "form1/page_folder.h"

#include "platform/glib_ptr.h"
#include "platform/runtime_error.h"

#include <glib.h>
#include <unistd.h>

namespace kestrun {

namespace {

std::string kestrunIn(const char* folder) {
    const GCharPtr path(g_build_filename(folder, "kestrun", nullptr));
    return path.get();
}

}  // namespace

// Read from the environment on each call (GLib keeps its first answer), so
// the places follow what the program was started with.
PagePlaces pagePlaces(const std::string& programFolder) {
    PagePlaces places;
    if (::access(programFolder.c_str(), W_OK) == 0) places.program = programFolder;
    const char* runtime = g_getenv("XDG_RUNTIME_DIR");
    if (runtime && *runtime) places.runtime = kestrunIn(runtime);
    const char* cache = g_getenv("XDG_CACHE_HOME");
    if (cache && g_path_is_absolute(cache)) {
        places.cache = kestrunIn(cache);
    } else {
        const GCharPtr home(g_build_filename(g_get_home_dir(), ".cache", nullptr));
        places.cache = kestrunIn(home.get());
    }
    return places;
}

OwnFolder pageFolder(const PagePlaces& places) {
    std::string refused;
    for (const auto& [path, make] : {std::pair{places.program, false}, {places.runtime, true}, {places.cache, true}}) {
        if (path.empty()) continue;
        try {
            return OwnFolder(path, make);
        } catch (const RuntimeError& error) {
            refused += (refused.empty() ? "" : "\n") + error.path() + ": " + error.reason();
        }
    }
    throw RuntimeError("find a folder for the page file", "", refused);
}

}  // namespace kestrun
