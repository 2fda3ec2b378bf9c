#include "form1/page_file.h"

#include "platform/file_attributes.h"
#include "platform/file_delete.h"
#include "platform/file_lookup.h"
#include "platform/resource_strings.h"
#include "platform/sequential_file.h"

namespace kestrun {

namespace {
constexpr const char* pageFileName = "readto.htm";
// Read-only, hidden, system, volume, directory, archive: any file at all.
constexpr int anyAttributes = 63;
}  // namespace

std::u16string pageText() { return LoadResString(101) + LoadResString(102); }

std::string pagePathIn(const std::string& folder) {
    if (!folder.empty() && folder.back() == '/') return folder + pageFileName;
    return folder + "/" + pageFileName;
}

void writePageFile(const std::string& path, std::u16string_view text) {
    // Written beside the path and renamed over it: a failed write (a full
    // disk, a file size limit) leaves no partial page behind.
    SequentialOutput file(path);
    file.print(text);
    file.close();
    SetAttr(path, attr::Hidden);
}

void restorePageFile(const std::string& path, std::u16string_view text) {
    if (Dir(path, anyAttributes).empty()) writePageFile(path, text);
}

void removePageFile(const std::string& path) {
    if (Dir(path, anyAttributes).empty()) return;
    // Clearing the attributes first is what lets a read-only file go.
    SetAttr(path, attr::Normal);
    Kill(path);
}

}  // namespace kestrun
