#include "form1/page_file.h"
#include "platform/codepage936.h"
#include "platform/file_attributes.h"
#include "platform/resource_strings.h"
#include "platform/runtime_error.h"
#include "support/temp_folder.h"

#include <glib.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>

namespace kestrun {
namespace {

using test::readBytes;
using test::fromUtf8;
using test::TempFolder;
using test::writeBytes;

bool endsWith(const std::u16string& text, const std::u16string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

TEST(PagePath, RootFolderGetsNoSecondSeparator) {
    EXPECT_EQ(pagePathIn("/"), "/readto.htm");
    EXPECT_EQ(pagePathIn("/opt/Tools"), "/opt/Tools/readto.htm");
}

TEST(StringTable, TheTwoEntriesAreTheAssembledPageSplitAfterSTerm) {
    const std::u16string first = LoadResString(101);
    const std::u16string second = LoadResString(102);
    EXPECT_EQ(pageText(), first + second);
    EXPECT_EQ(first + second, fromUtf8(readBytes(ASSEMBLED_PAGE)));

    EXPECT_TRUE(first.starts_with(u"<HTML><HEAD>"));
    EXPECT_TRUE(endsWith(first, u"\r\n}\r\n\r\n\r\n\r\n\r\n"));
    const auto lastFunction = first.rfind(u"\r\nfunction ");
    ASSERT_NE(lastFunction, std::u16string::npos);
    EXPECT_EQ(first.compare(lastFunction + 2, 15, u"function sTerm("), 0);
    EXPECT_TRUE(endsWith(second, u"</BODY></HTML>\r\n"));
}

TEST(StringTable, OtherEntriesAreEmptyAndUnknownIdsFail) {
    for (int id = 96; id <= 111; ++id)
        if (id != 101 && id != 102) EXPECT_EQ(LoadResString(id), u"") << id;
    EXPECT_THROW(LoadResString(95), RuntimeError);
    EXPECT_THROW(LoadResString(112), RuntimeError);
}

class PageFile : public ::testing::Test {
protected:
    TempFolder folder;
    std::string path = pagePathIn(folder.path());
    bool xattrs = test::supportsUserXattrs(folder.path());
};

TEST_F(PageFile, HoldsThePageInCodePage936AndEndsWithTwoLineEnds) {
    const std::u16string page = pageText() + u"<i>\uE3A8</i>\r\n";
    writePageFile(path, page);
    const std::string bytes = readBytes(path);
    EXPECT_EQ(bytes, toCodePage936(page) + "\r\n");
    EXPECT_EQ(bytes.substr(bytes.size() - 4), "\r\n\r\n");
    EXPECT_NE(bytes.find("<i>\xFB\xFB</i>"), std::string::npos);
    if (xattrs) EXPECT_EQ(GetAttr(path), attr::Hidden);
}

TEST_F(PageFile, AnOldFileIsOverwrittenCompletelyAndLeftHidden) {
    writeBytes(path, std::string(200000, 'o'));
    if (xattrs) SetAttr(path, attr::Archive | attr::System);
    writePageFile(path, u"page\r\n");
    EXPECT_EQ(readBytes(path), "page\r\n\r\n");
    if (xattrs) EXPECT_EQ(test::dosAttribText(path), "0x2");
}

TEST_F(PageFile, RemovalDeletesAReadOnlyFileAndSkipsAVanishedOne) {
    writePageFile(path, u"page\r\n");
    ::chmod(path.c_str(), 0444);
    removePageFile(path);
    EXPECT_FALSE(test::exists(path));
    EXPECT_NO_THROW(removePageFile(path));
}

// A full disk, in small: the file may not grow past 4 KB.
TEST_F(PageFile, AFileThatCannotBeWrittenWholeIsRemovedBeforeTheError) {
    rlimit old{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    rlimit small = old;
    small.rlim_cur = 4096;
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    EXPECT_THROW(writePageFile(path, pageText()), RuntimeError);
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(test::exists(path));
}

}  // namespace
}  // namespace kestrun
