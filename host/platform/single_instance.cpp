#include "platform/single_instance.h"

#include <iostream>

namespace kestrun {

namespace {
constexpr const char* applicationId = "org.kestrun.Kestrun";
}

SingleInstance::SingleInstance(bool alone) {
    if (alone) return;
    application_ = adopt(gtk_application_new(applicationId, G_APPLICATION_DEFAULT_FLAGS));
    g_signal_connect(application_.get(), "activate", G_CALLBACK(onActivate), this);
    // Without a session bus the registration succeeds as a program of its
    // own; a failure here means a bus that did not answer.
    GErrorOut error;
    if (!g_application_register(G_APPLICATION(application_.get()), nullptr, error.out()))
        std::cerr << "kestrun: cannot look for a running Kestrun (" << error.get()->message
                  << "); starting a second one" << std::endl;
}

SingleInstance::~SingleInstance() {
    if (application_) g_signal_handlers_disconnect_by_data(application_.get(), this);
}

bool SingleInstance::anotherIsRunning() const {
    GApplication* application = G_APPLICATION(application_.get());
    return application && g_application_get_is_registered(application) && g_application_get_is_remote(application);
}

int SingleInstance::handOver() {
    // Run as a remote application, it only sends the activation to the
    // running one, waits until the request is on the bus and lets go of it.
    // No command line: the program reads none.
    return g_application_run(G_APPLICATION(application_.get()), 0, nullptr);
}

void SingleInstance::onStartedAgain(std::function<void()> show) { show_ = std::move(show); }

void SingleInstance::onActivate(GApplication*, gpointer self) {
    auto* instance = static_cast<SingleInstance*>(self);
    if (instance->show_) instance->show_();
}

}  // namespace kestrun
