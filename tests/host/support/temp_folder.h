#pragma once
// A fresh folder for one test, removed with everything in it afterwards;
// and the file reads and writes the tests share.

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

std::string readBytes(const std::string& path);
void writeBytes(const std::string& path, const std::string& bytes);
bool exists(const std::string& path);  // the link itself, for a symbolic link
std::string dosAttribText(const std::string& path);  // empty when there is none
bool supportsUserXattrs(const std::string& folder);

}  // namespace kestrun::test
