#pragma once
// UTF-16 text to code page 936 (GBK), the code page the page is written for.

#include <string>
#include <string_view>

namespace kestrun {

// Characters code page 936 cannot hold become "?", as the system conversion
// does. The user-defined area U+E000 to U+E4C5 maps to its byte rows.
std::string toCodePage936(std::u16string_view text);

}  // namespace kestrun
