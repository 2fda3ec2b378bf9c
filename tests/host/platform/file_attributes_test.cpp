#include "platform/file_attributes.h"
#include "platform/file_delete.h"
#include "platform/file_lookup.h"
#include "platform/runtime_error.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace kestrun {

using std::filesystem::perms;

class FileAttributes : public ::testing::Test {
protected:
    void SetUp() override {
        if (!test::supportsUserXattrs(folder.path)) GTEST_SKIP() << "no user extended attributes here";
        test::writeBytes(path, "page");
    }
    perms mode() const { return std::filesystem::status(path).permissions(); }
    test::TempFolder folder;
    std::string path = folder.file("readto.htm");
};

TEST_F(FileAttributes, BecomeExactlyTheGivenSetWithReadOnlyAsTheWritePermission) {
    ::setxattr(path.c_str(), "user.DOSATTRIB", "0x27", 4, 0);  // archive, system, hidden, read-only
    SetAttr(path, attr::Hidden);
    EXPECT_EQ(test::dosAttribText(path), "0x2");
    ::chmod(path.c_str(), 0664);
    SetAttr(path, attr::ReadOnly | attr::Hidden);
    EXPECT_EQ(mode(), perms{0444});
    // Changed while read-only: an ordinary owner may not write the attribute
    // of a read-only file (root may, so this needs a run as an ordinary user).
    SetAttr(path, attr::ReadOnly | attr::System);
    EXPECT_EQ(test::dosAttribText(path), "0x4");
    SetAttr(path, attr::Normal);
    EXPECT_EQ(mode(), perms{0644});
}

TEST_F(FileAttributes, SymbolicLinksAreRefusedAndTheirTargetsUntouched) {
    ASSERT_EQ(::symlink(path.c_str(), folder.file("link.htm").c_str()), 0);
    ::chmod(path.c_str(), 0644);
    EXPECT_THROW(SetAttr(folder.file("link.htm"), attr::ReadOnly), RuntimeError);
    EXPECT_EQ(mode(), perms{0644});
    EXPECT_EQ(test::dosAttribText(path), "");
}

TEST_F(FileAttributes, DirFindsHiddenFilesUnderTheFullMask_KillReportsAMissingFile) {
    SetAttr(path, attr::Hidden | attr::ReadOnly);
    EXPECT_EQ(Dir(path, 63) + "|" + Dir(folder.file("gone.htm"), 63), "readto.htm|");
    EXPECT_THROW(Kill(folder.file("gone.htm")), RuntimeError);
}

}  // namespace kestrun
