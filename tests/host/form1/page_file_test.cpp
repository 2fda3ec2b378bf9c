#include "form1/page_file.h"
#include "platform/codepage936.h"
#include "platform/file_attributes.h"
#include "platform/glib_ptr.h"
#include "platform/resource_strings.h"
#include "platform/runtime_error.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>

namespace kestrun {
namespace {

using test::readBytes;

TEST(PagePath, RootFolderGetsNoSecondSeparator) {
    EXPECT_EQ(pagePathIn("/"), "/readto.htm");
    EXPECT_EQ(pagePathIn("/opt/Tools"), "/opt/Tools/readto.htm");
}

TEST(StringTable, EntriesTheAssembledPageSplitAfterSTermOthersEmptyUnknownIdsFail) {
    const std::u16string first = LoadResString(101), second = LoadResString(102);
    EXPECT_EQ(pageText(), first + second);
    const std::u16string page = first + second;
    const GCharPtr utf8(g_utf16_to_utf8(reinterpret_cast<const gunichar2*>(page.data()),
                                        static_cast<glong>(page.size()), nullptr, nullptr, nullptr));
    EXPECT_EQ(utf8.get(), readBytes(ASSEMBLED_PAGE));
    // The first entry ends with the function sTerm and the four empty lines after it.
    const auto sTerm = first.rfind(u"\r\nfunction ");
    EXPECT_EQ(first.substr(sTerm + 2, 15), u"function sTerm(");
    EXPECT_TRUE(first.ends_with(u"\r\n}\r\n\r\n\r\n\r\n\r\n"));
    EXPECT_TRUE(first.starts_with(u"<HTML><HEAD>") && second.ends_with(u"</BODY></HTML>\r\n"));
    for (int id = 96; id <= 111; ++id)
        if (id != 101 && id != 102) EXPECT_EQ(LoadResString(id), u"") << id;
    EXPECT_THROW(LoadResString(95), RuntimeError);
    EXPECT_THROW(LoadResString(112), RuntimeError);
}

class PageFile : public ::testing::Test {
protected:
    test::TempFolder folder;
    std::string path = pagePathIn(folder.path());
    bool xattrs = test::supportsUserXattrs(folder.path());
};

TEST_F(PageFile, OverwritesAnOldFileWithThePageInCodePage936AndTwoLineEndsHidden) {
    test::writeBytes(path, std::string(200000, 'o'));
    if (xattrs) SetAttr(path, attr::Archive | attr::System);
    const std::u16string page = pageText() + u"<i>\uE3A8</i>\r\n";
    writePageFile(path, page);
    const std::string bytes = readBytes(path);
    EXPECT_EQ(bytes, toCodePage936(page) + "\r\n");
    EXPECT_TRUE(bytes.ends_with("<i>\xFB\xFB</i>\r\n\r\n"));
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
