#pragma once
// Test-only: lets WebKitWebDriver drive the existing page view. Used only when
// the program is started with --automation.

#include <webkit2/webkit2.h>

namespace kestrun {

// Allows automation on `context` and hands `view` (created on that context
// with "is-controlled-by-automation") to every automation session.
void allowAutomation(WebKitWebContext* context, WebKitWebView* view);

}  // namespace kestrun
