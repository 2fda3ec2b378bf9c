#include "platform/settings_file.h"

#include "platform/app_path.h"
#include "platform/runtime_error.h"
#include "platform/text_file_input.h"

#include <glib/gstdio.h>

#include <cerrno>

namespace kestrun {

namespace {
// A few lines are all a settings file needs; a larger one is a mistake.
constexpr std::size_t settingsFileLimit = 64 * 1024;
}  // namespace

std::string settingsFile(const std::string& name) {
    GCharPtr path(g_build_filename(g_get_user_config_dir(), "kestrun", name.c_str(), nullptr));
    return path.get();
}

GKeyFilePtr readSettings(const std::string& path) {
    // Read as the user's other files are: never waiting on a FIFO, and only
    // from a regular file.
    const std::optional<std::string> text = readUserTextFile(path, settingsFileLimit);
    if (!text) return nullptr;
    GKeyFilePtr settings(g_key_file_new());
    GErrorOut error;
    if (!g_key_file_load_from_data(settings.get(), text->data(), text->size(), G_KEY_FILE_NONE, error.out()))
        throw RuntimeError("read the settings", path, error.get()->message);
    return settings;
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
