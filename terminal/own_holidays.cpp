#include "own_holidays.h"

#include "platform/glib_ptr.h"

#include <glib.h>

namespace kestrun {

OwnHolidays readOwnHolidays() {
    OwnHolidays own;
    GCharPtr path(g_build_filename(g_get_user_data_dir(), "kestrun", "holidays.tsv", nullptr));
    own.path = path.get();

    GErrorOut error;
    gchar* contents = nullptr;
    gsize length = 0;
    if (!g_file_get_contents(own.path.c_str(), &contents, &length, error.out())) {
        if (!g_error_matches(error.get(), G_FILE_ERROR, G_FILE_ERROR_NOENT)) own.problem = error.get()->message;
        return own;
    }
    GCharPtr owned(contents);
    if (!g_utf8_validate(contents, static_cast<gssize>(length), nullptr)) {
        own.problem = "not UTF-8 text";
        return own;
    }
    own.text.emplace(contents, length);
    return own;
}

}  // namespace kestrun
