#pragma once
// The browser's web context: where it keeps the page's cookies between runs.

#include "platform/glib_ptr.h"

#include <webkit2/webkit2.h>

#include <string>

namespace kestrun {

// Folder for the data kept between runs: the user's data folder + "kestrun".
std::string userDataFolder();

// userDataFolder()/cookies.sqlite, the cookie store.
std::string cookieStorePath();

// A web context whose cookies persist in cookieStorePath().
GObjectPtr<WebKitWebContext> createWebContext();

}  // namespace kestrun
