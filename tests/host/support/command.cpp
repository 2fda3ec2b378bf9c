#include "support/command.h"

#include "platform/glib_ptr.h"

#include <glib.h>

#include <stdexcept>

namespace kestrun::test {

std::string commandOutput(const std::vector<std::string>& argv) {
    std::vector<gchar*> args;
    for (const auto& arg : argv) args.push_back(const_cast<gchar*>(arg.c_str()));
    args.push_back(nullptr);
    gchar* out = nullptr;
    gint status = 0;
    GErrorOut error;
    const bool started = g_spawn_sync(nullptr, args.data(), nullptr,
                                      static_cast<GSpawnFlags>(G_SPAWN_SEARCH_PATH | G_SPAWN_STDERR_TO_DEV_NULL),
                                      nullptr, nullptr, &out, nullptr, &status, error.out());
    const GCharPtr output(out);
    if (!started) throw std::runtime_error("cannot run " + argv.front() + ": " + error.get()->message);
    if (!g_spawn_check_wait_status(status, nullptr)) throw std::runtime_error(argv.front() + " failed");
    return output ? output.get() : "";
}

}  // namespace kestrun::test
