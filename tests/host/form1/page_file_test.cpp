#include "form1/page_file.h"
#include "platform/codepage936.h"
#include "platform/file_attributes.h"
#include "platform/glib_ptr.h"
#include "platform/runtime_error.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>

namespace kestrun {

TEST(StringTable, EntriesTheAssembledPage) {
    const std::u16string page = pageText();
    const GCharPtr utf8(g_utf16_to_utf8(reinterpret_cast<const gunichar2*>(page.data()),
                                        static_cast<glong>(page.size()), nullptr, nullptr, nullptr));
    EXPECT_EQ(utf8.get(), test::readBytes(ASSEMBLED_PAGE));
}

class PageFile : public ::testing::Test {
protected:
    test::TempFolder folder;
    OwnFolder own{folder.path, false};
    std::string path = pagePathIn(own);
    bool xattrs = test::supportsUserXattrs(folder.path);
};

TEST_F(PageFile, OverwritesAnOldFileWithThePageInCodePage936AndTwoLineEndsHidden) {
    test::writeBytes(path, std::string(200000, 'o'));
    if (xattrs) SetAttr(path, attr::Archive | attr::System);
    const std::u16string page = pageText() + u"<i>\uE3A8</i>\r\n";
    writePageFile(own, page);
    EXPECT_EQ(test::readBytes(path), toCodePage936(page) + "\r\n");
    if (xattrs) EXPECT_EQ(test::dosAttribText(path), "0x2");
}

// A page file made beforehand as another name of the user's own file.
TEST_F(PageFile, ReplacesAHardLinkAndLeavesItsOtherNameAsItWas) {
    const std::string notes = folder.file("mynotes.txt");
    test::writeBytes(notes, "keep me");
    ASSERT_EQ(::link(notes.c_str(), path.c_str()), 0);
    writePageFile(own, u"page\r\n");
    EXPECT_EQ(test::readBytes(notes), "keep me");
    EXPECT_EQ(test::readBytes(path), "page\r\n\r\n");
}

TEST_F(PageFile, RemovalDeletesAReadOnlyFileAndSkipsAVanishedOne) {
    writePageFile(own, u"page\r\n");
    ::chmod(path.c_str(), 0444);
    removePageFile(own);
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_NO_THROW(removePageFile(own));
}

// A full disk, in small: the file may not grow past 4 KB.
TEST_F(PageFile, AFileThatCannotBeWrittenWholeIsRemovedBeforeTheError) {
    rlimit old{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    const rlimit small{4096, old.rlim_max};
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    EXPECT_THROW(writePageFile(own, pageText()), RuntimeError);
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_TRUE(std::filesystem::is_empty(folder.path));
}

}  // namespace kestrun
