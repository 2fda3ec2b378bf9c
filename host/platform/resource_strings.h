#pragma once
// The executable's string table. Entries 96 to 111 exist; only 101 and 102
// (the two halves of the page) have text, the rest are empty.

#include <string>

namespace kestrun {

// Full UTF-16 text of string-table entry `id`. Throws RuntimeError for an ID
// the table does not hold or an entry missing from the resource bundle.
std::u16string LoadResString(int id);

// The bytes of a resource compiled into the program; a missing one is an
// error of `operation`.
std::string resourceData(const std::string& name, const char* operation);

}  // namespace kestrun
