#pragma once
// The page file "readto.htm" in the page folder: what the load handler
// writes and the unload handler removes. No display needed.

#include "platform/own_folder.h"

#include <string>
#include <string_view>

namespace kestrun {

// The page, string 101 followed by string 102.
std::u16string pageText();

// Path of the page file in `folder`.
std::string pagePathIn(const OwnFolder& folder);

// Writes the page in code page 936 with a final CR LF as a new file that
// replaces the one in `folder` (never writing through it: a hard link's other
// names keep their content), hidden from the moment it is there. A file that
// could not be written whole is removed before the error is thrown.
void writePageFile(const OwnFolder& folder, std::u16string_view text);

// Writes the page file again when it has gone meanwhile.
void restorePageFile(const OwnFolder& folder, std::u16string_view text);

// Deletes the page file (whatever its attributes); does nothing when the file
// has already gone. Anything but a regular file at its name is left there
// and reported.
void removePageFile(const OwnFolder& folder);

}  // namespace kestrun
