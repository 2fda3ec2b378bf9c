#include "own_files.h"

#include "platform/glib_ptr.h"
#include "platform/runtime_error.h"
#include "platform/text_file_input.h"

#include <glib.h>

namespace kestrun {

namespace {

// As the window allows: far more than any year's arrangement or any
// family's days need.
constexpr std::size_t ownFileLimit = 1 << 20;

}  // namespace

OwnFile readOwnFile(const char* name, bool lineByLine) {
    OwnFile own;
    GCharPtr path(g_build_filename(g_get_user_data_dir(), "kestrun", name, nullptr));
    own.path = path.get();
    try {
        own.text = lineByLine ? readUserFile(own.path, ownFileLimit) : readUserTextFile(own.path, ownFileLimit);
        if (lineByLine && own.text) own.notUtf8 = emptyLinesNotUtf8(*own.text);
    } catch (const RuntimeError& error) {
        own.problem = error.reason();
    }
    return own;
}

}  // namespace kestrun
