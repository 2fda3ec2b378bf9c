#include "form1/page_recovery.h"

namespace kestrun {

namespace {
constexpr std::size_t endsBeforeAsking = 3;
constexpr auto endsWindow = std::chrono::minutes(1);
constexpr const char* stoppedText = "日历页面在一分钟内已三次意外停止。";
constexpr const char* retryText = "重新载入";
}  // namespace

bool RecoveryLimit::allowReload(Clock::time_point now) {
    ends_.push_back(now);
    while (now - ends_.front() >= endsWindow) ends_.pop_front();
    return ends_.size() < endsBeforeAsking;
}

StoppedNotice::StoppedNotice(GtkWidget* page, std::function<void()> retry)
    : box_(adopt(GTK_WIDGET(g_object_ref_sink(gtk_box_new(GTK_ORIENTATION_VERTICAL, 12))))),
      button_(gtk_button_new_with_label(retryText)),
      page_(page),
      retry_(std::move(retry)) {
    GtkWidget* label = gtk_label_new(stoppedText);
    g_signal_connect(button_, "clicked", G_CALLBACK(onRetry), this);
    gtk_box_pack_start(GTK_BOX(box_.get()), label, FALSE, FALSE, 0);
    gtk_box_pack_start(GTK_BOX(box_.get()), button_, FALSE, FALSE, 0);
    gtk_container_set_border_width(GTK_CONTAINER(box_.get()), 24);
    gtk_widget_show(label);
    gtk_widget_show(button_);
    gtk_widget_set_no_show_all(box_.get(), TRUE);
}

void StoppedNotice::show() {
    gtk_widget_hide(page_);
    gtk_widget_show(box_.get());
    // Ready for the keyboard: Enter tries again.
    gtk_widget_grab_focus(button_);
}

void StoppedNotice::hide() {
    gtk_widget_hide(box_.get());
    gtk_widget_show(page_);
}

void StoppedNotice::onRetry(GtkButton*, gpointer self) {
    auto* notice = static_cast<StoppedNotice*>(self);
    notice->hide();
    notice->retry_();
}

}  // namespace kestrun
