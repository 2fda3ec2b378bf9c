#include "platform/file_attributes.h"

#include "platform/runtime_error.h"

#include <sys/stat.h>
#include <sys/xattr.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace kestrun {

namespace {

constexpr const char* xattrName = "user.DOSATTRIB";
constexpr mode_t writeBits = S_IWUSR | S_IWGRP | S_IWOTH;
// What user.DOSATTRIB records; read-only lives in the permission bits and
// directory in the file type.
constexpr int storedAttributes = attr::Hidden | attr::System | attr::Archive;

bool xattrsUnsupported(int error) { return error == ENOTSUP || error == EOPNOTSUPP; }

struct stat statNoFollow(const std::string& path, const char* operation) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) throwSystemError(operation, path, errno);
    if (S_ISLNK(info.st_mode)) throw RuntimeError(operation, path, "The path is a symbolic link");
    return info;
}

void changeMode(const std::string& path, mode_t mode) {
    if (::chmod(path.c_str(), mode & 07777) != 0) throwSystemError("set file attributes", path, errno);
}

// The permission bits that show `readOnly`: all write bits cleared, or the
// owner's given back.
mode_t modeFor(mode_t mode, bool readOnly) {
    const bool isReadOnly = (mode & writeBits) == 0;
    if (readOnly == isReadOnly) return mode;
    return readOnly ? (mode & ~writeBits) : (mode | S_IWUSR);
}

// user.DOSATTRIB's text for `attributes`.
std::string attributeText(int attributes) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%x", static_cast<unsigned>(attributes & storedAttributes));
    return text;
}

void storeAttributes(const std::string& path, int attributes) {
    const std::string text = attributeText(attributes);
    if (::lsetxattr(path.c_str(), xattrName, text.data(), text.size(), 0) == 0) return;
    if (xattrsUnsupported(errno)) return;
    throwSystemError("set file attributes", path, errno);
}

int storedAttributesOf(const std::string& path) {
    char text[64];
    const ssize_t n = ::lgetxattr(path.c_str(), xattrName, text, sizeof text - 1);
    if (n < 0) {
        if (errno == ENODATA || xattrsUnsupported(errno) || errno == ERANGE) return attr::Normal;
        throwSystemError("get file attributes", path, errno);
    }
    text[n] = '\0';
    // Samba's binary forms do not start with "0x"; only its text form is ours to read.
    if (n < 3 || text[0] != '0' || (text[1] != 'x' && text[1] != 'X')) return attr::Normal;
    return static_cast<int>(std::strtoul(text + 2, nullptr, 16)) & storedAttributes;
}

}  // namespace

// The kernel lets only root change a user extended attribute of a file its
// owner may not write, so the attribute is stored while the file is writable
// and the permission bits are set last.
void SetAttr(const std::string& path, int attributes) {
    const struct stat info = statNoFollow(path, "set file attributes");
    const mode_t target = modeFor(info.st_mode, (attributes & attr::ReadOnly) != 0);
    mode_t current = info.st_mode;
    if ((current & S_IWUSR) == 0) {
        current |= S_IWUSR;
        changeMode(path, current);
    }
    try {
        storeAttributes(path, attributes);
    } catch (...) {
        if (current != info.st_mode)
            ::chmod(path.c_str(), info.st_mode & 07777);  // as it was; the first error is the one to report
        throw;
    }
    if (current != target) changeMode(path, target);
}

// As above, the attribute is stored before the mode may take away the
// owner's write permission.
void SetAttrOf(int fd, const std::string& path, int attributes) {
    struct stat info {};
    if (::fstat(fd, &info) != 0) throwSystemError("set file attributes", path, errno);
    const std::string text = attributeText(attributes);
    if (::fsetxattr(fd, xattrName, text.data(), text.size(), 0) != 0 && !xattrsUnsupported(errno))
        throwSystemError("set file attributes", path, errno);
    const mode_t target = modeFor(info.st_mode, (attributes & attr::ReadOnly) != 0);
    if (target != info.st_mode && ::fchmod(fd, target & 07777) != 0) throwSystemError("set file attributes", path, errno);
}

int GetAttr(const std::string& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) throwSystemError("get file attributes", path, errno);
    int attributes = storedAttributesOf(path);
    if ((info.st_mode & writeBits) == 0) attributes |= attr::ReadOnly;
    if (S_ISDIR(info.st_mode)) attributes |= attr::Directory;
    return attributes;
}

}  // namespace kestrun
