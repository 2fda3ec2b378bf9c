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

// The script engine lets its heap grow to 32 MB before it first collects in
// full, a size meant for pages that build large script worlds. This page
// keeps a few hundred kilobytes alive, but every month turn leaves its old
// month model, day names and screen-reader texts behind, and the strings and
// replaced nodes they hold sit in the C library's heap until the collector
// runs; over a day of use the page process held some 30 MB more than it
// needed, which the C library's allocator then keeps. With a 4 MB floor the
// collector runs every few hundred month turns, a few milliseconds each.
//
// JSC_largeHeapSize is the engine's switch for it, read once when a process
// starts; the program's own process runs no page script of size.
void collectPageGarbageEarly() { g_setenv("JSC_largeHeapSize", "4194304", TRUE); }

}  // namespace kestrun
