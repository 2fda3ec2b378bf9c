#include "webview/page_location.h"

#include "platform/app_path.h"
#include "platform/glib_ptr.h"
#include "platform/runtime_error.h"

#include <unistd.h>

#include <cerrno>

namespace kestrun {

namespace {

constexpr const char* linkOperation = "link the program's folder";

// The link's name is fixed by the folder it leads to.
std::string linkTo(const std::string& folder) {
    GCharPtr hash(
        g_compute_checksum_for_data(G_CHECKSUM_SHA256, reinterpret_cast<const guchar*>(folder.data()), folder.size()));
    GCharPtr link(
        g_build_filename(g_get_user_runtime_dir(), ("kestrun-" + std::string(hash.get(), 16)).c_str(), nullptr));
    GCharPtr target(g_file_read_link(link.get(), nullptr));
    if (target && folder == target.get()) return link.get();
    if (target && ::unlink(link.get()) != 0) throwSystemError(linkOperation, link.get(), errno);
    if (g_mkdir_with_parents(g_get_user_runtime_dir(), 0700) != 0 || ::symlink(folder.c_str(), link.get()) != 0)
        throwSystemError(linkOperation, link.get(), errno);
    return link.get();
}

}  // namespace

std::string pageUri(const std::string& path) {
    std::string readable = path;
    const std::string folder = folderOf(path);
    if (!g_utf8_validate(folder.data(), static_cast<gssize>(folder.size()), nullptr))
        readable = linkTo(folder) + path.substr(folder.size());
    GErrorOut error;
    GCharPtr uri(g_filename_to_uri(readable.c_str(), nullptr, error.out()));
    if (error) throw RuntimeError("navigate to the page", path, error.get()->message);
    return uri.get();
}

}  // namespace kestrun
