#pragma once
// A fresh folder for one test, removed with everything in it afterwards;
// and the file reads and writes the tests share.

#include <glib.h>
#include <sys/xattr.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

namespace kestrun::test {

struct TempFolder {
    std::string path = (std::filesystem::temp_directory_path() / "kestrun-test-XXXXXX").string();
    TempFolder() {
        if (!g_mkdtemp(path.data())) throw std::runtime_error("cannot create a temporary folder");
    }
    TempFolder(const TempFolder&) = delete;
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    std::string file(const std::string& name) const { return path + "/" + name; }
};

inline std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!(out << bytes)) throw std::runtime_error("cannot write " + path);
}

// user.DOSATTRIB of the file, empty when it has none.
inline std::string dosAttribText(const std::string& path) {
    char text[64];
    const ssize_t n = ::lgetxattr(path.c_str(), "user.DOSATTRIB", text, sizeof text);
    return n < 0 ? std::string() : std::string(text, static_cast<std::size_t>(n));
}

// Whether the folder's file system takes user extended attributes.
inline bool supportsUserXattrs(const std::string& folder) {
    const std::string probe = folder + "/.xattr-probe";
    writeBytes(probe, "");
    const bool supported = ::setxattr(probe.c_str(), "user.probe", "1", 1, 0) == 0;
    std::filesystem::remove(probe);
    return supported;
}

}  // namespace kestrun::test
