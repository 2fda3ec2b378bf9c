#include "support/temp_folder.h"

#include <glib.h>
#include <sys/xattr.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace kestrun::test {

namespace fs = std::filesystem;

TempFolder::TempFolder() {
    std::string pattern = (fs::temp_directory_path() / "kestrun-test-XXXXXX").string();
    if (!g_mkdtemp(pattern.data())) throw std::runtime_error("cannot create a temporary folder");
    path_ = pattern;
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
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

bool exists(const std::string& path) { return fs::symlink_status(path).type() != fs::file_type::not_found; }

std::string dosAttribText(const std::string& path) {
    char text[64];
    const ssize_t n = ::lgetxattr(path.c_str(), "user.DOSATTRIB", text, sizeof text);
    return n < 0 ? std::string() : std::string(text, static_cast<std::size_t>(n));
}

bool supportsUserXattrs(const std::string& folder) {
    const std::string probe = folder + "/.xattr-probe";
    writeBytes(probe, "");
    const bool supported = ::setxattr(probe.c_str(), "user.probe", "1", 1, 0) == 0;
    fs::remove(probe);
    return supported;
}

}  // namespace kestrun::test
