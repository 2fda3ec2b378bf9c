#include "own_holidays.h"

#include "platform/glib_ptr.h"
#include "platform/runtime_error.h"
#include "platform/text_file_input.h"

#include <glib.h>

namespace kestrun {

namespace {

// As the window allows: far more than any year's arrangement needs.
constexpr std::size_t holidayFileLimit = 1 << 20;

}  // namespace

OwnHolidays readOwnHolidays() {
    OwnHolidays own;
    GCharPtr path(g_build_filename(g_get_user_data_dir(), "kestrun", "holidays.tsv", nullptr));
    own.path = path.get();
    try {
        own.text = readUserTextFile(own.path, holidayFileLimit);
    } catch (const RuntimeError& error) {
        own.problem = error.reason();
    }
    return own;
}

}  // namespace kestrun
