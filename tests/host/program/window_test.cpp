// The real program on a display of its own, closed the way a user closes it.

#include "platform/codepage936.h"
#include "support/process.h"
#include "support/temp_folder.h"
#include "support/webdriver.h"

#include <glib.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <thread>

namespace kestrun {
namespace {

using test::Display;
using test::Process;
using test::runCommand;
using test::fromUtf8;
using test::TempFolder;

const std::string caption =
    "Kestrun2003\u7F51\u7EDC\u7248\u3000\u25E4Tolvey\u25E2 \u6536\u85CF\u7F16\u5236\u3000     ";

bool waitFor(const std::function<bool()>& condition, double seconds) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (std::chrono::steady_clock::now() < deadline) {
        if (condition()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return condition();
}

// Whether the process has ended (gone, or a zombie its parent has not reaped).
bool processEnded(const std::string& pid) {
    std::ifstream stat("/proc/" + pid + "/stat");
    std::string line;
    if (!std::getline(stat, line)) return true;
    const auto afterName = line.rfind(')');
    return afterName != std::string::npos && line.compare(afterName + 2, 1, "Z") == 0;
}

// The program copied into a folder of its own, run with a home of its own.
class RealProgram : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directories(app);
        std::filesystem::copy_file(KESTRUN_PROGRAM, app + "/kestrun");
    }

    std::vector<std::string> environment() const {
        return {"DISPLAY=" + display.name(), "HOME=" + home, "XDG_DATA_HOME=" + home + "/data",
                "XDG_CACHE_HOME=" + home + "/cache", "XDG_CONFIG_HOME=" + home + "/config"};
    }

    // The id of the first window whose name starts with `name`, once it is there.
    std::string windowNamed(const std::string& name) {
        std::string id;
        waitFor([&] {
            int status = 1;
            id = runCommand({"xdotool", "search", "--onlyvisible", "--name", "^" + name}, environment(), &status);
            return status == 0 && !id.empty();
        }, 30);
        if (auto newline = id.find('\n'); newline != std::string::npos) id.resize(newline);
        return id;
    }

    std::string command(const std::vector<std::string>& argv) { return runCommand(argv, environment()); }

    // Closes the program's window the way a user does and waits until the
    // program has ended.
    void closeAndWait(const std::string& window) {
        std::string pid = command({"xdotool", "getwindowpid", window});
        pid.erase(pid.find_last_not_of('\n') + 1);
        command({"wmctrl", "-i", "-c", window});
        EXPECT_TRUE(waitFor([&] { return processEnded(pid); }, 20))
            << "the program did not end; windows:\n" << command({"wmctrl", "-l"});
    }

    // Starts the program through WebKitWebDriver and waits for the page's start-up.
    void startDriven(test::WebDriver& driver) {
        driver.startSession(app + "/kestrun");
        ASSERT_TRUE(waitFor([&] {
            return driver.execute("return document.readyState") == "\"complete\"";
        }, 30)) << "the page did not start";
    }

    Display display;
    TempFolder folder;
    std::string app = folder.file("app");
    std::string home = folder.file("home");
    std::string page = app + "/readto.htm";
};

TEST_F(RealProgram, WritesItsHiddenPageFileWhileRunningAndRemovesItOnClose) {
    Process program({app + "/kestrun"}, environment());
    const std::string window = windowNamed("Kestrun2003");
    ASSERT_FALSE(window.empty()) << program.readStderr();

    EXPECT_EQ(command({"xdotool", "getwindowname", window}), caption + "\n");
    EXPECT_NE(command({"xdotool", "getwindowgeometry", window}).find("Geometry: 437x324"), std::string::npos);

    ASSERT_TRUE(test::exists(page));
    const std::string expected = toCodePage936(fromUtf8(test::readBytes(ASSEMBLED_PAGE))) + "\r\n";
    EXPECT_EQ(test::readBytes(page), expected);
    if (test::supportsUserXattrs(app)) EXPECT_EQ(test::dosAttribText(page), "0x2");

    // A close request from the window manager, as the caption's close button sends.
    command({"wmctrl", "-i", "-c", window});
    const auto status = program.waitForExit(20);
    ASSERT_TRUE(status.has_value()) << "the program did not end after the close request";
    EXPECT_EQ(*status, 0) << program.readStderr();
    EXPECT_FALSE(test::exists(page));
}

// Started through a link from another folder (as an installed program is),
// the page file goes beside the real program, and a folder name that is no
// valid URL as it stands still loads the page.
TEST_F(RealProgram, ThePageFileGoesBesideTheRealProgramInAnyFolder) {
    const std::string odd = folder.file("Kestrun #1 100% [x]");
    std::filesystem::create_directories(odd);
    std::filesystem::rename(app + "/kestrun", odd + "/kestrun");
    std::filesystem::create_directories(folder.file("bin"));
    ASSERT_EQ(::symlink((odd + "/kestrun").c_str(), folder.file("bin/kestrun").c_str()), 0);

    test::WebDriver driver(environment());
    driver.startSession(folder.file("bin/kestrun"));
    EXPECT_TRUE(test::exists(odd + "/readto.htm"));
    EXPECT_FALSE(test::exists(folder.file("bin/readto.htm")));
    EXPECT_TRUE(waitFor([&] { return driver.execute("return document.readyState") == "\"complete\""; }, 30));
    EXPECT_EQ(driver.execute("return document.title"), "\"1900-2100 \u4E24\u767E\u5E74Morvane\u65E5\u5386\"");
    EXPECT_EQ(driver.execute("return decodeURIComponent(location.pathname)"), "\"" + odd + "/readto.htm\"");
    closeAndWait(windowNamed("Kestrun2003"));
    EXPECT_FALSE(test::exists(odd + "/readto.htm"));
}

// Frame extents (left, right, top, bottom) the window manager put around the window.
std::vector<int> frameExtents(const std::string& text) {
    std::vector<int> extents;
    auto at = text.find('=');
    while (at != std::string::npos) {
        extents.push_back(std::stoi(text.substr(at + 1)));
        at = text.find(',', at + 1);
    }
    return extents;
}

TEST_F(RealProgram, TheControlIsTheOuterSizeLessOneHundredTwipsAtEverySize) {
    test::WebDriver driver(environment());
    startDriven(driver);
    const std::string window = windowNamed("Kestrun2003");
    const auto expectControlFor = [&](int clientWidth, int clientHeight) {
        const auto frame = frameExtents(command({"xprop", "-id", window, "_NET_FRAME_EXTENTS"}));
        ASSERT_EQ(frame.size(), 4u);
        const int outerWidth = clientWidth + frame[0] + frame[1];
        const int outerHeight = clientHeight + frame[2] + frame[3];
        const auto pixels = [](int outer) { return static_cast<int>(std::lround((outer * 15 - 100) / 15.0)); };
        const std::string expected = "\"" + std::to_string(pixels(outerWidth)) + "x" +
                                     std::to_string(pixels(outerHeight)) + "\"";
        EXPECT_TRUE(waitFor([&] {
            return driver.execute("return innerWidth + 'x' + innerHeight") == expected;
        }, 5)) << driver.execute("return innerWidth + 'x' + innerHeight") << " expected " << expected;
    };
    expectControlFor(437, 324);
    command({"xdotool", "windowsize", "--sync", window, "600", "400"});
    expectControlFor(600, 400);
    closeAndWait(window);
}

// The control reaches past the bottom of the client area; the page must still
// be drawn from the client area's top row down.
TEST_F(RealProgram, ThePageIsPaintedFromTheTopOfTheClientArea) {
    test::WebDriver driver(environment());
    startDriven(driver);
    driver.execute("document.body.innerHTML = ''; document.body.style.background = '#ff0000';");
    const std::string window = windowNamed("Kestrun2003");
    const auto pixel = [&](int x, int y) {
        return command({"import", "-window", window, "-crop",
                        "1x1+" + std::to_string(x) + "+" + std::to_string(y), "+repage", "-depth", "8", "txt:-"});
    };
    EXPECT_TRUE(waitFor([&] { return pixel(200, 1).find("#FF0000") != std::string::npos; }, 5)) << pixel(200, 1);
    EXPECT_NE(pixel(200, 160).find("#FF0000"), std::string::npos) << pixel(200, 160);
    closeAndWait(window);
}

// The page writes its cookies as it unloads, after the host has deleted the
// page file; they must still reach the next run, and expiry must hold.
TEST_F(RealProgram, CookiesWrittenInOneRunAreReadInTheNext) {
    {
        test::WebDriver driver(environment());
        startDriven(driver);
        driver.execute(
            "var later = new Date(new Date().getTime() + 86400000).toGMTString();"
            "document.cookie = 'RUNNING=1; expires=' + later;"
            "document.cookie = 'GONE=1; expires=' + new Date(0).toGMTString();"
            "window.addEventListener('unload', function () {"
            "  document.cookie = 'UNLOADED=1; expires=' + later; });");
        closeAndWait(windowNamed("Kestrun2003"));
    }
    EXPECT_FALSE(test::exists(page));

    test::WebDriver driver(environment());
    startDriven(driver);
    const std::string cookies = driver.execute("return document.cookie");
    EXPECT_NE(cookies.find("RUNNING=1"), std::string::npos) << cookies;
    EXPECT_NE(cookies.find("UNLOADED=1"), std::string::npos) << cookies;
    EXPECT_NE(cookies.find("TZ1="), std::string::npos) << "the page's own unload handler: " << cookies;
    EXPECT_EQ(cookies.find("GONE"), std::string::npos) << cookies;
    closeAndWait(windowNamed("Kestrun2003"));
}

TEST_F(RealProgram, ARefusedPageFileIsReportedAndEndsTheProgramWithAnError) {
    const std::string victim = folder.file("victim");
    test::writeBytes(victim, "keep me");
    ASSERT_EQ(::symlink(victim.c_str(), page.c_str()), 0);

    Process program({app + "/kestrun"}, environment());
    const std::string dialog = windowNamed("Kestrun$");
    ASSERT_FALSE(dialog.empty()) << "no error dialog";
    command({"xdotool", "windowactivate", "--sync", dialog});
    command({"xdotool", "key", "Return"});

    const auto status = program.waitForExit(20);
    ASSERT_TRUE(status.has_value()) << "the program did not end after the error";
    EXPECT_EQ(*status, 1);
    const std::string report = program.readStderr();
    EXPECT_NE(report.find(page), std::string::npos) << report;
    EXPECT_EQ(test::readBytes(victim), "keep me");
}

}  // namespace
}  // namespace kestrun
