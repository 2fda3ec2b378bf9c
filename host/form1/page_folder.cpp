#include "form1/page_folder.h"

#include "platform/glib_ptr.h"

#include <glib/gstdio.h>
#include <unistd.h>

namespace kestrun {

std::string pageFolder(const std::string& programFolder) {
    if (::access(programFolder.c_str(), W_OK) == 0) return programFolder;
    GCharPtr own(g_build_filename(g_get_user_runtime_dir(), "kestrun", nullptr));
    if (g_mkdir_with_parents(own.get(), 0700) != 0 || ::access(own.get(), W_OK) != 0) return programFolder;
    return own.get();
}

}  // namespace kestrun
