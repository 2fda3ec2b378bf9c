#include "days/day_dialog.h"
#include "days/days_file.h"
#include "platform/runtime_error.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kestrun {

TEST(DaysFile, EditsOneLineKeepingCommentsOrderLineEndsAndTheMark) {
    const std::string text = "\xEF\xBB\xBF# mine\r\nlunar\t03-05\tA\r\nsolar\t05-20\tB\r\n";
    EXPECT_EQ(editedDays(text, {0, "", "solar\t01-01\tC"}, "f"), text + "solar\t01-01\tC\r\n");
    EXPECT_EQ(editedDays(text, {2, "lunar\t03-05\tA", "lunar\t1956-03-05\tA\tn"}, "f"),
              "\xEF\xBB\xBF# mine\r\nlunar\t1956-03-05\tA\tn\r\nsolar\t05-20\tB\r\n");
    EXPECT_EQ(editedDays(text, {3, "solar\t05-20\tB", ""}, "f"), "\xEF\xBB\xBF# mine\r\nlunar\t03-05\tA\r\n");
    EXPECT_EQ(editedDays("solar\t05-20\tB", {0, "", "x"}, "f"), "solar\t05-20\tB\nx\n");
    // The line the window showed has changed, or is gone.
    EXPECT_THROW(editedDays(text, {3, "solar\t05-21\tB", ""}, "f"), RuntimeError);
    EXPECT_THROW(editedDays(text, {9, "x", ""}, "f"), RuntimeError);
    EXPECT_EQ(dayLine(false, "04-11", "1956", " a\tb ", "note\nmore"), "solar\t1956-04-11\ta b\tnote more");
}

TEST(DaysFile, WritesANewFileInANewFolderAndNeverThroughAnotherName) {
    test::TempFolder folder;
    const std::string path = folder.file("kestrun/days.tsv");
    applyDayEdit(path, {0, "", "lunar\t03-05\tA"});
    const std::string other = folder.file("other");
    ASSERT_EQ(::link(path.c_str(), other.c_str()), 0);
    applyDayEdit(path, {1, "lunar\t03-05\tA", ""});
    EXPECT_EQ(test::readBytes(path), "");
    EXPECT_EQ(test::readBytes(other), "lunar\t03-05\tA\n");
}

TEST(DaysFile, KeepsTheModeAndRefusesAReadOnlyFileUntouched) {
    test::TempFolder folder;
    const std::string path = folder.file("days.tsv"), text = "solar\t12-10\tplain";
    test::writeBytes(path, text);
    struct stat info {};
    const auto look = [&] { EXPECT_EQ(::stat(path.c_str(), &info), 0); };
    const mode_t mask = ::umask(077);
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    applyDayEdit(path, {0, "", "lunar\t03-05\tA"});
    look();
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    // Read-only by its mode, which root may write through all the same.
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    look();
    const ino_t inode = info.st_ino;
    try {
        applyDayEdit(path, {1, "solar\t12-10\tplain", "solar\t12-10\tplain\tnote"});
        ADD_FAILURE() << "a read-only file was written";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.reason(), "只读");
    }
    // Saved as it was: nothing to write.
    applyDayEdit(path, {1, "solar\t12-10\tplain", "solar\t12-10\tplain"});
    ::umask(mask);
    look();
    EXPECT_EQ(info.st_ino, inode);
    EXPECT_EQ(info.st_mode & 07777, 0444u);
    EXPECT_EQ(test::readBytes(path), text + "\nlunar\t03-05\tA\n");
}

TEST(DayDialog, ReadsTheFieldsOfAnyLineThePageTakes) {
    const std::string name(100000, 'x');
    const auto f = dayFields("solar\t2014-12-10\t" + name + "\t note");
    ASSERT_TRUE(f);
    EXPECT_EQ(std::make_tuple(f->lunar, f->firstYear, f->date, f->name, f->note),
              std::make_tuple(false, std::string("2014"), std::string("12-10"), name, std::string(" note")));
    EXPECT_EQ(dayFields("lunar\tL04-01\tA").value().date, "L04-01");
    EXPECT_FALSE(dayFields("lunar\t4-01\tA") || dayFields("lunar\t04-01") || dayFields("moon\t04-01\tA"));
}

}  // namespace kestrun
