#pragma once

#include <webkit2/webkit2.h>

namespace kestrun {

// Has the page processes started from here on allocate memory with the C
// library's allocator instead of the engine's own. Call before any other
// thread runs: it changes the environment.
void usePlainAllocatorInPageProcesses();

// Has the page processes of `context` load the module that returns their
// freed heap memory (page_trim.cpp), from extensions/ beside the program.
// Call before the context starts its first process.
void trimPageHeaps(WebKitWebContext* context);

}  // namespace kestrun
