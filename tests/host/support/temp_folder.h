#pragma once
// A fresh folder for one test, removed with everything in it afterwards.

#include <string>

namespace kestrun::test {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

// The UTF-16 text of UTF-8 bytes, as the string table hands it out.
std::u16string fromUtf8(const std::string& text);

std::string readBytes(const std::string& path);
void writeBytes(const std::string& path, const std::string& bytes);
bool exists(const std::string& path);

// user.DOSATTRIB of the file, or nothing when it has none.
std::string dosAttribText(const std::string& path);

// Whether the folder's file system takes user extended attributes.
bool supportsUserXattrs(const std::string& folder);

}  // namespace kestrun::test
