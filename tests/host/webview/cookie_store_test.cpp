#include "webview/cookie_store.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/stat.h>

namespace kestrun {

class CookieStore : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(sqlite3_open(path.c_str(), &other), SQLITE_OK);
        ASSERT_EQ(sqlite3_exec(other, "CREATE TABLE moz_cookies (name, value, path);"
                                      "INSERT INTO moz_cookies VALUES ('TZ1', '7', '/k')", nullptr, nullptr, nullptr),
                  SQLITE_OK);
    }
    void TearDown() override { sqlite3_close(other); }

    test::TempFolder folder;
    std::string path = folder.file("cookies.sqlite");
    sqlite3* other = nullptr;  // another program's hold on the store
};

TEST_F(CookieStore, KeepsWhatItHolds_BehindWithoutTheLatestChoice_UnusableWhileLockedElsewhere) {
    EXPECT_EQ(checkStore(path, {{"TZ1", "7", "/k"}}, 100).verdict, StoreCheck::Keeps);
    EXPECT_EQ(checkStore(path, {{"TZ1", "8", "/k"}}, 100).verdict, StoreCheck::Behind);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    const StoreCheck locked = checkStore(path, {}, 100);
    EXPECT_EQ(locked.verdict, StoreCheck::Unusable);
    EXPECT_EQ(locked.reason, "database is locked");
}

TEST_F(CookieStore, AFolderInItsPlaceIsSetAside) {
    const std::string folderStore = folder.file("other.sqlite");
    ASSERT_EQ(::mkdir(folderStore.c_str(), 0700), 0);
    EXPECT_EQ(checkStore(folderStore, {}, 100).reason, "not a regular file");
    setAsideDamagedStore(folderStore);
    setAsideDamagedStore(path);  // a sound store stays
    EXPECT_FALSE(std::filesystem::exists(folderStore));
    EXPECT_TRUE(std::filesystem::exists(path));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path), {}), 2);
}

}  // namespace kestrun
