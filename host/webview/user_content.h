#pragma once
// The shims (host/shims/) that the browser adds to the page for what the page
// expects of its original browser: visual filters, menu entries' spaces,
// fonts. They come from the resource bundle and are added for all frames at
// document start.

#include "platform/glib_ptr.h"

#include <webkit2/webkit2.h>

namespace kestrun {

GObjectPtr<WebKitUserContentManager> createUserContent();

}  // namespace kestrun
