#include "webview/page_allocator.h"

#include <glib.h>

namespace kestrun {

// The engine's own allocator hands freed memory back to the system from a
// thread that wakes every tenth of a second for as long as there is any to
// hand back. The clock's tick frees some every second, so that thread never
// sleeps: about 10 wake-ups and 4 ms of CPU a second in the page process,
// more than the tick itself costs. The C library's allocator has no such
// thread. The engine's allocator also hardens its heap against exploits of
// memory errors, which matters for pages from elsewhere; this view shows only
// the program's own page and navigates nowhere else.
//
// "Malloc" is the engine's switch for this, read once when a process starts;
// the program's own process has read it before main() and keeps the engine's
// allocator. It can go when the engine's allocator lets its thread sleep
// between rare frees.
void usePlainAllocatorInPageProcesses() { g_setenv("Malloc", "1", TRUE); }

}  // namespace kestrun
