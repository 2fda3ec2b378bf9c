#include "platform/codepage936.h"

#include <gtest/gtest.h>

namespace kestrun {

TEST(CodePage936, UserDefinedAreaGbkBeyondGb2312PlainTextAndCharactersWithoutACode) {
    // The private-use area follows the code page's user-defined rows: 94 to a
    // row from AAA1, then from F8A1; U+E3A8 is the world-map glyph.
    const std::pair<std::u16string, std::string> cases[] = {
        {u"\uE3A8", "\xFB\xFB"}, {u"\uE05E", "\xAB\xA1"}, {u"\uE233", "\xAF\xFE"}, {u"\uE234", "\xF8\xA1"},
        {u"<HTML>\r\n  \u7D0D\u93AE\u519C", "<HTML>\r\n  \xBC\x7B\xE6\x82\xC5\xA9"},  // 納鎮农
        {u"a\u0E01b\U0001F600c\xD800" "d", "a?b?c?d"},  // Thai, beyond the BMP, a lone surrogate
    };
    for (const auto& [text, bytes] : cases) EXPECT_EQ(toCodePage936(text), bytes) << bytes;
}

}  // namespace kestrun
