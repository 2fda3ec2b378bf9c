// Installing into a prefix: the program in a folder of its own, reached
// through bin/, with its desktop entry and icon.

#include "support/process.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace kestrun {
namespace {

namespace fs = std::filesystem;

TEST(Install, PutsTheProgramInItsOwnFolderWithALinkInBin) {
    test::TempFolder prefix;
    int status = 1;
    test::runCommand({CMAKE_COMMAND, "--install", BUILD_FOLDER, "--prefix", prefix.path()}, {}, &status);
    ASSERT_EQ(status, 0);

    const fs::path program = prefix.file("lib/kestrun/kestrun");
    const fs::path link = prefix.file("bin/kestrun");
    ASSERT_TRUE(fs::is_regular_file(program));
    ASSERT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(fs::read_symlink(link), "../lib/kestrun/kestrun");  // relative: the prefix may move
    EXPECT_EQ(fs::canonical(link), fs::canonical(program));
    EXPECT_TRUE(fs::is_regular_file(prefix.file("bin/kestrun-cal")));  // it writes nothing beside itself

    const std::string entry = test::readBytes(prefix.file("share/applications/kestrun.desktop"));
    EXPECT_NE(entry.find("\nName=Kestrun\n"), std::string::npos);
    EXPECT_NE(entry.find("\nIcon=kestrun\n"), std::string::npos);
    EXPECT_NE(entry.find("\nExec=" + prefix.path() + "/bin/kestrun\n"), std::string::npos);

    // 32 x 32, 8 bits per pixel through a palette (PNG colour type 3).
    const std::string icon = test::readBytes(prefix.file("share/icons/hicolor/32x32/apps/kestrun.png"));
    ASSERT_GT(icon.size(), 26u);
    EXPECT_EQ(icon.substr(1, 3), "PNG");
    EXPECT_EQ(icon.substr(16, 8), std::string("\0\0\0\x20\0\0\0\x20", 8));
    EXPECT_EQ(icon[24], 8);
    EXPECT_EQ(icon[25], 3);
}

}  // namespace
}  // namespace kestrun
