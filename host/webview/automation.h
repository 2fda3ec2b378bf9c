#pragma once
// Test-only: lets WebKitWebDriver drive the existing page view. Used only when
// the program is started with --automation.

#include <webkit2/webkit2.h>

namespace kestrun {

// Allows automation on `context` and hands `view` (created on that context
// with "is-controlled-by-automation") to every automation session.
void allowAutomation(WebKitWebContext* context, WebKitWebView* view);

// Without the switch: the engine opens its remote inspector (which also
// serves automation) to whoever names an address in WEBKIT_INSPECTOR_SERVER
// or WEBKIT_INSPECTOR_HTTP_SERVER, so those are dropped from the program's
// environment (and with it from the engine's processes). Call before the
// first web context is created.
void closeRemoteInspection();

}  // namespace kestrun
