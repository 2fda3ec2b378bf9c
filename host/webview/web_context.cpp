#include "webview/web_context.h"

#include "webview/cookie_store.h"

#include <glib/gstdio.h>

#include <cerrno>
#include <cstring>
#include <iostream>

namespace kestrun {

std::string userDataFolder() {
    GCharPtr folder(g_build_filename(g_get_user_data_dir(), "kestrun", nullptr));
    return folder.get();
}

std::string cookieStorePath() {
    GCharPtr path(g_build_filename(userDataFolder().c_str(), "cookies.sqlite", nullptr));
    return path.get();
}

GObjectPtr<WebKitWebContext> createWebContext() {
    const std::string data = userDataFolder();
    GCharPtr cache(g_build_filename(g_get_user_cache_dir(), "kestrun", nullptr));
    // Without the folder the page still runs; it only forgets its zone, as
    // with refused cookies. Say so rather than stop the calendar.
    if (g_mkdir_with_parents(data.c_str(), 0700) != 0)
        std::cerr << "kestrun: cannot create " << data << ": " << std::strerror(errno) << "; cookies will not be kept"
                  << std::endl;

    auto manager = adopt(webkit_website_data_manager_new("base-data-directory", data.c_str(), "base-cache-directory",
                                                         cache.get(), nullptr));
    auto context = adopt(webkit_web_context_new_with_website_data_manager(manager.get()));
    const std::string cookies = cookieStorePath();
    setAsideDamagedStore(cookies);
    WebKitCookieManager* cookieManager = webkit_web_context_get_cookie_manager(context.get());
    webkit_cookie_manager_set_persistent_storage(cookieManager, cookies.c_str(), WEBKIT_COOKIE_PERSISTENT_STORAGE_SQLITE);
    return context;
}

}  // namespace kestrun
