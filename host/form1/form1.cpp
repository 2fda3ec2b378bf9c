#include "form1/form1.h"

#include "form1/page_file.h"
#include "form1/page_folder.h"
#include "platform/app_path.h"
#include "platform/display_loss.h"
#include "platform/error_report.h"
#include "platform/runtime_error.h"
#include "platform/settings_file.h"
#include "platform/twips.h"
#include "webview/hidden_window.h"

#include <gdk-pixbuf/gdk-pixbuf.h>
#include <glib-unix.h>

#include <csignal>
#include <iostream>

namespace kestrun {

namespace {

// "Kestrun2003网络版　◤Tolvey◢ 收藏编制　     ", spelled out so that the two
// ideographic spaces and the trailing spaces cannot be lost in an edit.
constexpr const char* caption =
    "Kestrun2003\u7F51\u7EDC\u7248\u3000\u25E4Tolvey\u25E2 \u6536\u85CF\u7F16\u5236\u3000     ";
constexpr int clientWidth = 6555 / twipsPerPixel;   // 437
constexpr int clientHeight = 4860 / twipsPerPixel;  // 324
constexpr const char* iconResource = "/kestrun/icons/kestrun.png";
// Longest the close waits for the page to finish its unload handling.
constexpr guint closeWaitMs = 5000;

GObjectPtr<GdkPixbuf> loadIcon() {
    GErrorOut error;
    auto icon = adopt(gdk_pixbuf_new_from_resource(iconResource, error.out()));
    if (error) throw RuntimeError("load icon resource", iconResource, error.get()->message);
    return icon;
}

GObjectPtr<GtkWidget> createWindow() {
    auto window = adopt(GTK_WIDGET(g_object_ref(gtk_window_new(GTK_WINDOW_TOPLEVEL))));
    gtk_widget_set_name(window.get(), "Form1");
    gtk_window_set_title(GTK_WINDOW(window.get()), caption);
    gtk_window_set_default_size(GTK_WINDOW(window.get()), clientWidth, clientHeight);
    gtk_window_set_icon(GTK_WINDOW(window.get()), loadIcon().get());
    return window;
}

// A layout rather than a fixed container: it neither asks the window for the
// control's size nor limits the control to the client area.
GtkWidget* createLayout(GtkWidget* window, GtkWidget* control) {
    GtkWidget* layout = gtk_layout_new(nullptr, nullptr);
    gtk_widget_set_name(control, "WebBrowser1");
    gtk_layout_put(GTK_LAYOUT(layout), control, 0, 0);
    gtk_container_add(GTK_CONTAINER(window), layout);
    return layout;
}

}  // namespace

Form1::Form1(bool automation)
    : window_(createWindow()),
      layout_(nullptr),
      WebBrowser1(automation),
      placement_(GTK_WINDOW(window_.get()), settingsFile("window.ini")),
      zoom_(GTK_WINDOW(window_.get()), WEBKIT_WEB_VIEW(WebBrowser1.widget()), settingsFile("window.ini")),
      stoppedNotice_(WebBrowser1.widget(), [this] {
          recovery_.reset();
          reloadPage();
      }) {
    layout_ = createLayout(window_.get(), WebBrowser1.widget());
    gtk_layout_put(GTK_LAYOUT(layout_), stoppedNotice_.widget(), 0, 0);
    placement_.restore();
    zoom_.restore();
    pauseDrawingWhileHidden(window_.get(), WebBrowser1.widget());
    // Before any handler holds `this`: a failed load leaves nothing behind
    // that could call into a window that was never made.
    Form_Load();
    g_signal_connect(window_.get(), "delete-event", G_CALLBACK(onDelete), this);
    closeRequests_ = std::make_unique<CloseRequestWatch>(window_.get(), [this] { onDelete(nullptr, nullptr, this); });
    g_signal_connect(window_.get(), "configure-event", G_CALLBACK(onConfigure), this);
    g_signal_connect(window_.get(), "window-state-event", G_CALLBACK(onWindowState), this);
    g_signal_connect_after(window_.get(), "map-event", G_CALLBACK(onMap), this);
    WebBrowser1.onCloseRequest([this] { onDelete(window_.get(), nullptr, this); });
    WebBrowser1.onPageGone([this] { pageGone(); });
    // Without a display the window cannot close; its unload steps still run.
    onDisplayLost([this] { Form_Unload(); });
    // Ending the session or the terminal closes the window like the user
    // would, so the page file does not stay behind.
    for (int signal : {SIGTERM, SIGINT, SIGHUP})
        signalSources_.push_back(g_unix_signal_add(signal, onTerminationSignal, this));
}

Form1::~Form1() {
    onDisplayLost(nullptr);
    if (closeTimeout_ != 0) g_source_remove(closeTimeout_);
    for (guint source : signalSources_) g_source_remove(source);
    g_signal_handlers_disconnect_by_data(window_.get(), this);
    gtk_widget_destroy(window_.get());
}

void Form1::Show() { gtk_widget_show_all(window_.get()); }

void Form1::Present() { gtk_window_present(GTK_WINDOW(window_.get())); }

void Form1::Form_Load() {
    PageText = pageText();
    PageFolder = pageFolder(pagePlaces(AppPath()));
    PagePath = pagePathIn(*PageFolder);
    writePageFile(*PageFolder, PageText);
    WebBrowser1.Navigate(PagePath);
}

void Form1::Form_Resize() {
    lastOuter_ = outerSize();
    const TwipSize control = controlSizeFor(lastOuter_);
    gtk_layout_move(GTK_LAYOUT(layout_), WebBrowser1.widget(), 0, 0);
    gtk_widget_set_size_request(WebBrowser1.widget(), twipsToPixels(control.width), twipsToPixels(control.height));
}

void Form1::Form_Unload() {
    if (PageFolder) removePageFile(*PageFolder);
}

// Frame and caption included, as the window manager drew them.
TwipSize Form1::outerSize() const {
    GdkRectangle frame{};
    gdk_window_get_frame_extents(gtk_widget_get_window(window_.get()), &frame);
    return {pixelsToTwips(frame.width), pixelsToTwips(frame.height)};
}

// Configure events also come for moves; only a new size is a resize.
void Form1::resizeIfOuterSizeChanged() {
    const TwipSize outer = outerSize();
    if (outer.width == lastOuter_.width && outer.height == lastOuter_.height) return;
    Form_Resize();
}

// The page gets its unload event (and writes its cookies) when it is replaced;
// the program ends only after that has happened.
void Form1::closeAfterUnload() {
    closeTimeout_ = g_timeout_add(closeWaitMs, onCloseTimeout, this);
    WebBrowser1.discardPage([this] { finishClose(); });
}

void Form1::finishClose() {
    if (closeTimeout_ != 0) g_source_remove(closeTimeout_);
    closeTimeout_ = 0;
    if (closed_) return;
    closed_ = true;
    gtk_main_quit();
}

void Form1::fail(const std::exception& error) {
    reportRuntimeError(error);
    exitStatus_ = 1;
}

// The page comes back as it starts (the zone from the cookie store), from its
// file, which is written again should it have gone meanwhile.
void Form1::pageGone() {
    if (closing_) return;
    if (recovery_.allowReload(RecoveryLimit::Clock::now())) {
        reloadPage();
        return;
    }
    std::cerr << "kestrun: the page stopped three times within a minute" << std::endl;
    stoppedNotice_.show();
}

void Form1::reloadPage() {
    try {
        restorePageFile(*PageFolder, PageText);
        WebBrowser1.Navigate(PagePath);
    } catch (const std::exception& error) {
        fail(error);
        onDelete(nullptr, nullptr, this);
    }
}

gboolean Form1::onDelete(GtkWidget*, GdkEvent*, gpointer self) {
    auto* form = static_cast<Form1*>(self);
    if (form->closing_) return TRUE;
    form->closing_ = true;
    form->placement_.save();
    try {
        form->Form_Unload();
    } catch (const std::exception& error) {
        form->fail(error);
    }
    // The close is never refused; the window goes once the page has unloaded.
    form->closeAfterUnload();
    return TRUE;
}

gboolean Form1::onConfigure(GtkWidget*, GdkEventConfigure*, gpointer self) {
    auto* form = static_cast<Form1*>(self);
    form->resizeIfOuterSizeChanged();
    return FALSE;
}

gboolean Form1::onWindowState(GtkWidget*, GdkEventWindowState* event, gpointer self) {
    // Minimising and restoring count as size changes even when the frame
    // reports the same extents.
    if (event->changed_mask & (GDK_WINDOW_STATE_ICONIFIED | GDK_WINDOW_STATE_MAXIMIZED | GDK_WINDOW_STATE_FULLSCREEN))
        static_cast<Form1*>(self)->Form_Resize();
    return FALSE;
}

gboolean Form1::onMap(GtkWidget*, GdkEvent*, gpointer self) {
    static_cast<Form1*>(self)->Form_Resize();
    return FALSE;
}

gboolean Form1::onTerminationSignal(gpointer self) {
    onDelete(nullptr, nullptr, self);
    return G_SOURCE_CONTINUE;
}

gboolean Form1::onCloseTimeout(gpointer self) {
    auto* form = static_cast<Form1*>(self);
    form->closeTimeout_ = 0;
    form->finishClose();
    return G_SOURCE_REMOVE;
}

}  // namespace kestrun
