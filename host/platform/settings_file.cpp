#include "platform/settings_file.h"

#include "platform/app_path.h"
#include "platform/runtime_error.h"

#include <glib/gstdio.h>

#include <cerrno>

namespace kestrun {

std::string settingsFile(const std::string& name) {
    GCharPtr path(g_build_filename(g_get_user_config_dir(), "kestrun", name.c_str(), nullptr));
    return path.get();
}

GKeyFilePtr readSettings(const std::string& path) {
    GKeyFilePtr settings(g_key_file_new());
    GErrorOut error;
    if (g_key_file_load_from_file(settings.get(), path.c_str(), G_KEY_FILE_NONE, error.out())) return settings;
    if (g_error_matches(error.get(), G_FILE_ERROR, G_FILE_ERROR_NOENT)) return nullptr;
    throw RuntimeError("read the settings", path, error.get()->message);
}

GKeyFilePtr settingsToUpdate(const std::string& path) {
    try {
        if (GKeyFilePtr settings = readSettings(path)) return settings;
    } catch (const RuntimeError&) {
        // Reported when the window opened with it; now it is replaced.
    }
    return GKeyFilePtr(g_key_file_new());
}

void writeSettings(const std::string& path, GKeyFile* settings) {
    const std::string folder = folderOf(path);
    if (g_mkdir_with_parents(folder.c_str(), 0700) != 0) throwSystemError("create the settings folder", folder, errno);
    // g_key_file_save_to_file writes a temporary file and renames it over the old one.
    GErrorOut error;
    if (!g_key_file_save_to_file(settings, path.c_str(), error.out()))
        throw RuntimeError("write the settings", path, error.get()->message);
}

}  // namespace kestrun
