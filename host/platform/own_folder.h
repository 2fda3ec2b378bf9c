#pragma once
// A folder of the user's own, held open: a real folder (no symbolic link at
// its name), owned by the user, that no one else may write in. Files are made
// in it through the open folder, never by its name, so a folder or link put
// at the name afterwards is never written through.

#include <string>

namespace kestrun {

class OwnFolder {
public:
    // Opens the folder at `path`; with `make`, first makes it (0700, its
    // parents as needed) when it is missing. Throws RuntimeError with the path
    // and why it cannot be used.
    OwnFolder(std::string path, bool make);
    ~OwnFolder();
    OwnFolder(OwnFolder&& other) noexcept;
    OwnFolder& operator=(OwnFolder&& other) noexcept;
    OwnFolder(const OwnFolder&) = delete;
    OwnFolder& operator=(const OwnFolder&) = delete;

    const std::string& path() const { return path_; }
    // The open folder, for the *at() calls.
    int descriptor() const { return fd_; }
    // Path of `name` in the folder, for messages and for the browser.
    std::string file(const std::string& name) const;

private:
    std::string path_;
    int fd_ = -1;
};

}  // namespace kestrun
