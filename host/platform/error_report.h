#pragma once
// The runtime's standard error message: the text on stderr and, when there is
// a display, in a modal error dialog. The caller then ends the program.

#include <exception>

namespace kestrun {

void reportRuntimeError(const std::exception& error);

}  // namespace kestrun
