#pragma once
// File attributes in the DOS sense. Linux has none, so they are kept in the
// extended attribute "user.DOSATTRIB" in the text form Samba also reads
// ("0x2"); read-only is also shown as cleared write-permission bits.

#include <string>

namespace kestrun {

namespace attr {
constexpr int Normal = 0;
constexpr int ReadOnly = 1;
constexpr int Hidden = 2;
constexpr int System = 4;
constexpr int Volume = 8;
constexpr int Directory = 16;
constexpr int Archive = 32;
}  // namespace attr

// The file's attributes become exactly `attributes`. Where the file system
// refuses user extended attributes, everything but read-only is skipped
// silently. Refuses symbolic links: the change would land on another file.
void SetAttr(const std::string& path, int attributes);

// The same for the open regular file `fd` (`path` names it in messages).
void SetAttrOf(int fd, const std::string& path, int attributes);

// The file's attributes as SetAttr left them (read-only also when the write
// permission bits are all clear, directory for folders).
int GetAttr(const std::string& path);

}  // namespace kestrun
