#include "form1/page_file.h"
#include "form1/page_folder.h"
#include "platform/runtime_error.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kestrun {

// The three places, each a folder of the test's; "victim" stands for
// another user's folder.
class PageFolder : public ::testing::Test {
protected:
    test::TempFolder root;
    std::string program = root.file("program"), victim = root.file("victim");
    PagePlaces places{program, root.file("runtime/kestrun"), root.file("cache/kestrun")};
    void SetUp() override {
        for (const auto& folder : {program, victim, root.file("runtime"), root.file("cache")})
            ASSERT_EQ(::mkdir(folder.c_str(), 0700), 0);
    }
    // Why pageFolder refused every place.
    std::string refusals() {
        try {
            return "chose " + pageFolder(places).path();
        } catch (const RuntimeError& error) {
            return error.reason();
        }
    }
};

TEST_F(PageFolder, PassesOverAFolderOthersMayWriteInAndALinkAndWritesNothingThroughThem) {
    ASSERT_EQ(::chmod(program.c_str(), 01777) + ::symlink(victim.c_str(), places.runtime.c_str()), 0);
    const OwnFolder folder = pageFolder(places);
    EXPECT_EQ(folder.path(), places.cache);
    struct stat info {};
    ASSERT_EQ(::stat(places.cache.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0700u);
    writePageFile(folder, u"page");
    EXPECT_EQ(test::readBytes(places.cache + "/readto.htm"), "page\r\n");
    EXPECT_TRUE(std::filesystem::is_empty(victim));
    EXPECT_TRUE(std::filesystem::is_empty(program));
}

TEST_F(PageFolder, WhenNoPlaceWillDoTheErrorNamesEachAndWhy) {
    ASSERT_EQ(::chmod(program.c_str(), 0770) + ::symlink(victim.c_str(), places.runtime.c_str()), 0);
    ASSERT_EQ(::mkdir(places.cache.c_str(), 0700) + ::chmod(places.cache.c_str(), 0702), 0);
    EXPECT_EQ(refusals(), program + ": Other users may write in the folder\n" + places.runtime +
                              ": The path is a symbolic link\n" + places.cache + ": Other users may write in the folder");
}

TEST_F(PageFolder, RefusesAFolderOfAnotherUser) {
    if (::geteuid() != 0) GTEST_SKIP() << "only root can give a folder to another user";
    ASSERT_EQ(::mkdir(places.runtime.c_str(), 0700) + ::chown(places.runtime.c_str(), 65534, 65534), 0);
    places.program.clear();
    places.cache.clear();
    EXPECT_EQ(refusals(), places.runtime + ": The folder belongs to another user (uid 65534)");
}

// Read afresh from the environment; the runtime folder only where it is set.
TEST_F(PageFolder, PlacesComeFromTheEnvironment) {
    const std::string runtime = g_getenv("XDG_RUNTIME_DIR") ? g_getenv("XDG_RUNTIME_DIR") : "";
    const std::string cache = g_getenv("XDG_CACHE_HOME") ? g_getenv("XDG_CACHE_HOME") : "";
    g_setenv("XDG_RUNTIME_DIR", root.file("runtime").c_str(), true);
    g_setenv("XDG_CACHE_HOME", root.file("cache").c_str(), true);
    const PagePlaces set = pagePlaces(program);
    g_unsetenv("XDG_RUNTIME_DIR");
    const PagePlaces unset = pagePlaces(root.file("missing"));
    for (const auto& [name, value] : {std::pair{"XDG_RUNTIME_DIR", runtime}, {"XDG_CACHE_HOME", cache}})
        value.empty() ? g_unsetenv(name) : (void)g_setenv(name, value.c_str(), true);
    EXPECT_EQ(set.program + "|" + set.runtime + "|" + set.cache, program + "|" + places.runtime + "|" + places.cache);
    EXPECT_EQ(unset.program + "|" + unset.runtime + "|" + unset.cache, "||" + places.cache);
}

}  // namespace kestrun
