#pragma once

namespace kestrun {

// Has the page processes started from here on allocate memory with the C
// library's allocator instead of the engine's own. Call before any other
// thread runs: it changes the environment.
void usePlainAllocatorInPageProcesses();

}  // namespace kestrun
