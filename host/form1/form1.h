#pragma once
// Form1: the program's one window, holding the browser control WebBrowser1.
// It reacts to three events only: load, resize and unload.

#include "form1/page_recovery.h"
#include "form1/resize_rule.h"
#include "form1/window_placement.h"
#include "platform/close_request.h"
#include "platform/own_folder.h"
#include "platform/glib_ptr.h"
#include "webview/web_browser.h"
#include "webview/zoom.h"

#include <gtk/gtk.h>

#include <exception>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kestrun {

class Form1 {
public:
    // Creates the window and its control and runs the load handler; the
    // window is not shown yet. Throws RuntimeError when loading fails.
    explicit Form1(bool automation);
    ~Form1();
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;

    void Show();
    // Brings the window to the front, restoring it when minimised.
    void Present();

    // 0, or 1 once a failure has been reported.
    int exitStatus() const { return exitStatus_; }

private:
    void Form_Load();
    void Form_Resize();
    void Form_Unload();

    TwipSize outerSize() const;
    void resizeIfOuterSizeChanged();
    void closeAfterUnload();
    void finishClose();
    void fail(const std::exception& error);
    void pageGone();
    void reloadPage();

    static gboolean onDelete(GtkWidget*, GdkEvent*, gpointer self);
    static gboolean onConfigure(GtkWidget*, GdkEventConfigure*, gpointer self);
    static gboolean onWindowState(GtkWidget*, GdkEventWindowState*, gpointer self);
    static gboolean onMap(GtkWidget*, GdkEvent*, gpointer self);
    static gboolean onCloseTimeout(gpointer self);
    static gboolean onTerminationSignal(gpointer self);

    // Empty until the load handler sets them.
    std::u16string PageText;
    std::optional<OwnFolder> PageFolder;
    std::string PagePath;

    GObjectPtr<GtkWidget> window_;
    GtkWidget* layout_;  // owned by window_
    WebBrowser WebBrowser1;
    PlacementKeeper placement_;
    PageZoom zoom_;
    TwipSize lastOuter_{-1, -1};
    bool closing_ = false;
    bool closed_ = false;
    guint closeTimeout_ = 0;
    std::vector<guint> signalSources_;
    RecoveryLimit recovery_;
    StoppedNotice stoppedNotice_;
    int exitStatus_ = 0;
    std::unique_ptr<CloseRequestWatch> closeRequests_;
};

}  // namespace kestrun
