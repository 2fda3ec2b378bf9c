// Kestrun: starting the program creates its one window (or, while one runs,
// brings that one to the front); the program ends when the window is closed.

#include "form1/form1.h"
#include "platform/error_report.h"
#include "platform/runtime_error.h"
#include "platform/single_instance.h"
#include "webview/page_allocator.h"
#include "webview/zone_script.h"

#include <gtk/gtk.h>

#include <langinfo.h>

#include <clocale>
#include <csignal>
#include <cstring>
#include <exception>

namespace {

// The program reads no command line; the one exception is the switch
// WebKitWebDriver adds when a test drives the program.
bool startedForAutomation(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--automation") == 0) return true;
    return false;
}

// GTK writes the window title into the older WM_NAME property in the
// locale's character set and leaves the property out where the title cannot
// be written in it, as under the C locale. The title and the page are
// Chinese in any locale, so text is taken as UTF-8 where the locale's own
// character set is not.
void useUtf8Text() {
    std::setlocale(LC_ALL, "");
    if (std::strcmp(nl_langinfo(CODESET), "UTF-8") != 0) std::setlocale(LC_CTYPE, "C.UTF-8");
    gtk_disable_setlocale();
}

}  // namespace

int main(int argc, char** argv) {
    // A write past a file size limit (ulimit -f) fails with an error that is
    // reported like a full disk, instead of ending the program mid-write.
    std::signal(SIGXFSZ, SIG_IGN);
    kestrun::usePlainAllocatorInPageProcesses();
    const bool automation = startedForAutomation(argc, argv);
    useUtf8Text();
    kestrun::startPreparingZoneOffsets();
    if (!gtk_init_check(nullptr, nullptr)) {
        kestrun::reportRuntimeError(kestrun::RuntimeError("open the display", "", "No display is available"));
        return 1;
    }
    try {
        // A second start shows the running window and ends before the page
        // file is written.
        kestrun::SingleInstance instance(automation);
        if (instance.anotherIsRunning()) return instance.handOver();
        kestrun::Form1 form(automation);
        instance.onStartedAgain([&form] { form.Present(); });
        form.Show();
        gtk_main();
        return form.exitStatus();
    } catch (const std::exception& error) {
        kestrun::reportRuntimeError(error);
        return 1;
    }
}
