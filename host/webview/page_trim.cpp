// Loaded into each page process (a web extension): hands the C library's
// freed heap memory back to the system now and then. The page processes use
// that allocator (page_allocator.cpp), which returns only the free memory at
// the top of its heap; what the script engine and the page's redraws free
// between live blocks stays with the process, and over a long day of use the
// process kept some 7 MB more for every 25,000 actions. malloc_trim also
// returns the free pages inside the heap. Once a minute is often enough for
// that and costs nothing the idle clock would notice. This can go with the
// C library's allocator, should the page processes return to the engine's.

#include <glib.h>
#include <malloc.h>
#include <webkit2/webkit-web-extension.h>

namespace {

constexpr guint trimSeconds = 60;

gboolean trimHeap(gpointer) {
    malloc_trim(0);
    return G_SOURCE_CONTINUE;
}

}  // namespace

extern "C" G_MODULE_EXPORT void webkit_web_extension_initialize(WebKitWebExtension*) {
    g_timeout_add_seconds(trimSeconds, trimHeap, nullptr);
}
