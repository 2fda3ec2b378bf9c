#pragma once
// The cookie store's file: a damaged one would make every start forget the
// chosen zone, so it is moved aside before the browser opens it.

#include <string>

namespace kestrun {

// When the file at `path` exists but cannot be read as a database (garbage,
// cut short), moves it (and the journal beside it) to a dated name in the
// same folder, so that the browser starts a fresh store, and says so on
// standard error. Nothing is deleted; a store that is only busy or locked
// is left alone.
void setAsideDamagedStore(const std::string& path);

}  // namespace kestrun
