#include "platform/runtime_error.h"
#include "platform/sequential_file.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kestrun {
namespace {

using test::readBytes;
using test::TempFolder;

void printOne(const std::string& path, std::u16string_view item) {
    SequentialOutput file(path);
    file.print(item);
    file.close();
}

TEST(SequentialOutput, RefusesToWriteThroughASymbolicLink) {
    TempFolder folder;
    test::writeBytes(folder.file("victim"), "keep me");
    ASSERT_EQ(::symlink(folder.file("victim").c_str(), folder.file("out.htm").c_str()), 0);
    EXPECT_THROW(printOne(folder.file("out.htm"), u"page"), RuntimeError);
    EXPECT_EQ(readBytes(folder.file("victim")), "keep me");

    // A dangling link must not create its target either.
    ASSERT_EQ(::symlink(folder.file("new-target").c_str(), folder.file("dangling.htm").c_str()), 0);
    EXPECT_THROW(printOne(folder.file("dangling.htm"), u"page"), RuntimeError);
    EXPECT_FALSE(test::exists(folder.file("new-target")));
}

TEST(SequentialOutput, RefusesFoldersAndFifosWithoutHangingAndNamesPathAndReason) {
    TempFolder folder;
    ASSERT_EQ(::mkdir(folder.file("dir.htm").c_str(), 0755), 0);
    EXPECT_THROW(printOne(folder.file("dir.htm"), u"page"), RuntimeError);
    ASSERT_EQ(::mkfifo(folder.file("fifo.htm").c_str(), 0644), 0);
    EXPECT_THROW(printOne(folder.file("fifo.htm"), u"page"), RuntimeError);
    const std::string path = folder.file("missing-folder/out.htm");
    try {
        printOne(path, u"page");
        FAIL() << "no error";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.path(), path);
        EXPECT_EQ(error.reason(), "No such file or directory");
        EXPECT_NE(std::string(error.what()).find(path), std::string::npos);
    }
}

}  // namespace
}  // namespace kestrun
