#include "support/temp_folder.h"

#include "platform/glib_ptr.h"

#include <glib.h>
#include <sys/stat.h>
#include <sys/xattr.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace kestrun::test {

std::u16string fromUtf8(const std::string& text) {
    glong units = 0;
    const std::unique_ptr<gunichar2, GFree> converted(
        g_utf8_to_utf16(text.c_str(), static_cast<glong>(text.size()), nullptr, &units, nullptr));
    if (!converted) throw std::runtime_error("not UTF-8 text");
    return std::u16string(reinterpret_cast<const char16_t*>(converted.get()), static_cast<std::size_t>(units));
}

TempFolder::TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "kestrun-test-XXXXXX").string();
    if (!g_mkdtemp(pattern.data())) throw std::runtime_error("cannot create a temporary folder");
    path_ = pattern;
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    // Read-only files do not stop a removal on Linux, but read-only folders do.
    for (auto& entry : std::filesystem::recursive_directory_iterator(path_, ignored))
        if (entry.is_directory(ignored)) ::chmod(entry.path().c_str(), 0700);
    std::filesystem::remove_all(path_, ignored);
}

std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    if (!out) throw std::runtime_error("cannot write " + path);
}

bool exists(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

std::string dosAttribText(const std::string& path) {
    char text[64];
    const ssize_t n = ::lgetxattr(path.c_str(), "user.DOSATTRIB", text, sizeof text);
    return n < 0 ? std::string() : std::string(text, static_cast<std::size_t>(n));
}

bool supportsUserXattrs(const std::string& folder) {
    const std::string probe = folder + "/.xattr-probe";
    writeBytes(probe, "");
    const bool supported = ::setxattr(probe.c_str(), "user.probe", "1", 1, 0) == 0;
    std::filesystem::remove(probe);
    return supported;
}

}  // namespace kestrun::test
