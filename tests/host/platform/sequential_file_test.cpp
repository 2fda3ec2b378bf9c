#include "platform/runtime_error.h"
#include "platform/sequential_file.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kestrun {

// What printing one item to path is refused for; empty when it is printed.
static std::string refusal(const std::string& path) {
    try {
        SequentialOutput file(path);
        file.print(u"page");
        file.close();
        return "";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.path(), path);
        EXPECT_NE(std::string(error.what()).find(path), std::string::npos);
        return error.reason().empty() ? "?" : error.reason();
    }
}

TEST(SequentialOutput, RefusesLinksFoldersAndFifosWithoutHangingAndNamesPathAndReason) {
    test::TempFolder folder;
    test::writeBytes(folder.file("victim"), "keep me");
    ASSERT_EQ(::symlink(folder.file("victim").c_str(), folder.file("link.htm").c_str()), 0);
    // A dangling link must not create its target either.
    ASSERT_EQ(::symlink(folder.file("new-target").c_str(), folder.file("dangling.htm").c_str()), 0);
    ASSERT_EQ(::mkdir(folder.file("dir.htm").c_str(), 0755) + ::mkfifo(folder.file("fifo.htm").c_str(), 0644), 0);
    for (const char* name : {"link.htm", "dangling.htm", "dir.htm", "fifo.htm"})
        EXPECT_NE(refusal(folder.file(name)), "") << name;
    EXPECT_EQ(test::readBytes(folder.file("victim")), "keep me");
    EXPECT_FALSE(std::filesystem::exists(folder.file("new-target")));
    EXPECT_EQ(refusal(folder.file("missing-folder/out.htm")), "No such file or directory");
}

}  // namespace kestrun
