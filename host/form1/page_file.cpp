#include "form1/page_file.h"

#include "platform/file_attributes.h"
#include "platform/resource_strings.h"
#include "platform/runtime_error.h"
#include "platform/sequential_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace kestrun {

namespace {

constexpr const char* pageFileName = "readto.htm";

// Whether the page file is there, without following a link at its name.
bool pageFileExists(const OwnFolder& folder, struct stat& info, const char* operation) {
    if (::fstatat(folder.descriptor(), pageFileName, &info, AT_SYMLINK_NOFOLLOW) == 0) return true;
    if (errno == ENOENT) return false;
    throwSystemError(operation, pagePathIn(folder), errno);
}

}  // namespace

std::u16string pageText() { return LoadResString(101) + LoadResString(102); }

std::string pagePathIn(const OwnFolder& folder) { return folder.file(pageFileName); }

void writePageFile(const OwnFolder& folder, std::u16string_view text) {
    // Written beside the file and renamed over it: a failed write (a full
    // disk, a file size limit) leaves no partial page behind.
    SequentialOutput file(folder, pageFileName);
    file.print(text);
    file.setAttributes(attr::Hidden);
    file.close();
}

void restorePageFile(const OwnFolder& folder, std::u16string_view text) {
    struct stat info {};
    if (!pageFileExists(folder, info, "find file")) writePageFile(folder, text);
}

// Unlinking needs no write permission on the file itself, so a read-only
// page goes as well.
void removePageFile(const OwnFolder& folder) {
    struct stat info {};
    if (!pageFileExists(folder, info, "delete file")) return;
    if (S_ISLNK(info.st_mode)) throw RuntimeError("delete file", pagePathIn(folder), "The path is a symbolic link");
    if (!S_ISREG(info.st_mode)) throw RuntimeError("delete file", pagePathIn(folder), "Not a regular file");
    if (::unlinkat(folder.descriptor(), pageFileName, 0) != 0) throwSystemError("delete file", pagePathIn(folder), errno);
}

}  // namespace kestrun
