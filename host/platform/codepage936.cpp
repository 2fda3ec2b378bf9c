#include "platform/codepage936.h"

#include "platform/runtime_error.h"

#include <iconv.h>

#include <cerrno>
#include <optional>

namespace kestrun {

namespace {

// glibc's CP936 leaves out the user-defined area (it only exists in GB18030
// there, with other byte values), so that part of the table is done here:
// U+E000..U+E233 fill rows AA..AF, U+E234..U+E4C5 rows F8..FE, 94 a row,
// trail bytes A1..FE.
std::optional<std::string> userDefinedArea(char16_t unit) {
    unsigned index;
    unsigned firstLead;
    if (unit >= 0xE000 && unit <= 0xE233) {
        index = unit - 0xE000;
        firstLead = 0xAA;
    } else if (unit >= 0xE234 && unit <= 0xE4C5) {
        index = unit - 0xE234;
        firstLead = 0xF8;
    } else {
        return std::nullopt;
    }
    std::string bytes;
    bytes += static_cast<char>(firstLead + index / 94);
    bytes += static_cast<char>(0xA1 + index % 94);
    return bytes;
}

class Converter {
public:
    Converter() : cd_(iconv_open("CP936", "UTF-16LE")) {
        if (cd_ == reinterpret_cast<iconv_t>(-1)) throwSystemError("open the code page 936 converter", "", errno);
    }
    ~Converter() { iconv_close(cd_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts one character (one or two UTF-16 units); nullopt if CP936 has no code for it.
    std::optional<std::string> character(std::u16string_view units) {
        std::string in;
        for (char16_t u : units) {
            in += static_cast<char>(u & 0xFF);
            in += static_cast<char>(u >> 8);
        }
        char out[8];
        char* inPtr = in.data();
        size_t inLeft = in.size();
        char* outPtr = out;
        size_t outLeft = sizeof out;
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        if (iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1)) return std::nullopt;
        return std::string(out, outPtr);
    }

private:
    iconv_t cd_;
};

bool isHighSurrogate(char16_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool isLowSurrogate(char16_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

}  // namespace

std::string toCodePage936(std::u16string_view text) {
    Converter converter;
    std::string out;
    out.reserve(text.size() * 2);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (unit < 0x80) {
            out += static_cast<char>(unit);
            continue;
        }
        if (auto bytes = userDefinedArea(unit)) {
            out += *bytes;
            continue;
        }
        std::size_t length = 1;
        if (isHighSurrogate(unit) && i + 1 < text.size() && isLowSurrogate(text[i + 1])) length = 2;
        auto bytes = converter.character(text.substr(i, length));
        out += bytes ? *bytes : std::string("?");
        i += length - 1;
    }
    return out;
}

}  // namespace kestrun
