#pragma once
// The program's own settings: key files in the user's config folder
// ($XDG_CONFIG_HOME/kestrun, by default ~/.config/kestrun).

#include "platform/glib_ptr.h"

#include <string>

namespace kestrun {

// Full path of the settings file `name`.
std::string settingsFile(const std::string& name);

// The key file at `path`, or an empty handle when there is none yet. Throws
// RuntimeError when the file is there but cannot be read (not a regular
// file, which is refused without waiting on it) or parsed.
GKeyFilePtr readSettings(const std::string& path);

// The key file at `path` to add keys to: a new one when there is none or it
// cannot be read, since writing it replaces what cannot be used.
GKeyFilePtr settingsToUpdate(const std::string& path);

// Replaces the file at `path` as a whole (never half written), creating its
// folder when needed. Throws RuntimeError on failure.
void writeSettings(const std::string& path, GKeyFile* settings);

}  // namespace kestrun
