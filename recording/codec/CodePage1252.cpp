#include "recording/codec/CodePage1252.h"

#include <algorithm>
#include <iterator>

#include "platform/text/Utf8.h"

namespace {

// The characters of bytes 0x80..0x9F; every other byte is the code point of
// its own value. Written out here because the system's converters (iconv)
// refuse the five undefined bytes.
constexpr char32_t kFrom0x80[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 0x80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 0x88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 0x90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 0x98
};

char32_t CodePointOf(unsigned char byte) {
    return byte >= 0x80 && byte < 0xA0 ? kFrom0x80[byte - 0x80] : byte;
}

char ByteOf(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
    const auto* it = std::find(std::begin(kFrom0x80), std::end(kFrom0x80), cp);
    return it != std::end(kFrom0x80) ? static_cast<char>(0x80 + (it - std::begin(kFrom0x80))) : '?';
}

}  // namespace

std::string CodePage1252ToUtf8(std::string_view bytes) {
    std::string out;
    for (char b : bytes) plat::AppendUtf8(out, CodePointOf(static_cast<unsigned char>(b)));
    return out;
}

std::string Utf8ToCodePage1252(std::string_view utf8) {
    std::string out;
    for (size_t i = 0; i < utf8.size();) out += ByteOf(plat::NextCodePoint(utf8, i));
    return out;
}
