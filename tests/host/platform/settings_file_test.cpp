#include "platform/runtime_error.h"
#include "platform/settings_file.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace kestrun {

// A FIFO where window.ini should be would hold the start for good.
TEST(SettingsFile, AFifoOrFolderIsRefusedWithoutWaiting) {
    test::TempFolder folder;
    ASSERT_EQ(::mkfifo(folder.file("window.ini").c_str(), 0600), 0);
    for (const std::string& path : {folder.file("window.ini"), folder.path}) {
        try {
            readSettings(path);
            ADD_FAILURE() << path;
        } catch (const RuntimeError& error) {
            EXPECT_EQ(error.reason(), "not a regular file");
        }
    }
}

}  // namespace kestrun
