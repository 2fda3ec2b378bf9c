#include "platform/runtime_error.h"
#include "platform/text_file_input.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace kestrun {

// What reading the file refuses it for; empty when it is read.
static std::string refusal(const std::string& path, std::size_t limit = 64) {
    try {
        readUserTextFile(path, limit);
        return "";
    } catch (const RuntimeError& error) {
        return error.reason();
    }
}

TEST(UserTextFile, ReadWhole_AbsentIsNothing_OtherFilesRefusedWithoutWaiting) {
    test::TempFolder folder;
    const std::string path = folder.file("holidays.tsv"), text = "2027-01-01\t\xE5\x85\x83\xE6\x97\xA6\toff\n";
    EXPECT_FALSE(readUserTextFile(path, 64).has_value());
    test::writeBytes(path, text);
    EXPECT_EQ(readUserTextFile(path, 64).value(), text);
    EXPECT_EQ(refusal(path, 10), "larger than 10 bytes");
    test::writeBytes(path, "a\nb\n\xFF\n");
    EXPECT_EQ(refusal(path), "not UTF-8 text (line 3)");
    ASSERT_EQ(::mkfifo(folder.file("fifo").c_str(), 0600), 0);
    EXPECT_EQ(refusal(folder.path) + refusal(folder.file("fifo")), "not a regular filenot a regular file");
}

TEST(UserTextFile, LinesNotUtf8AreEmptiedAndNamed) {
    std::string text = "a\n\xFF\r\nb\n\xE5\x85\x83\n\xC3";
    EXPECT_EQ(emptyLinesNotUtf8(text), (std::vector<int>{2, 5}));
    EXPECT_EQ(text, "a\n\nb\n\xE5\x85\x83\n");
}

}  // namespace kestrun
