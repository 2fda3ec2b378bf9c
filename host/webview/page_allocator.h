#pragma once

namespace kestrun {

// Has the page processes started from here on allocate memory with the C
// library's allocator instead of the engine's own. Call before any other
// thread runs: it changes the environment.
void usePlainAllocatorInPageProcesses();

// Has the page processes started from here on collect their script garbage
// once it passes a few megabytes instead of the engine's default 32. Call
// before any other thread runs: it changes the environment.
void collectPageGarbageEarly();

}  // namespace kestrun
