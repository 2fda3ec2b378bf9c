#include "form1/resize_rule.h"

namespace kestrun {

namespace {
constexpr float margin = 100.0f;
}

TwipSize controlSizeFor(TwipSize outer) { return {outer.width - margin, outer.height - margin}; }

}  // namespace kestrun
