#pragma once
// UTF-8, the program's text everywhere but in files of the host's code page:
// code points one at a time, for code that measures, cuts or converts text.
// Header only, so the session file codec can use it too. Any thread.

#include <cstddef>
#include <string>
#include <string_view>

namespace plat {

// Decodes the code point at s[i] and moves i past it. A malformed byte reads
// as U+FFFD and counts as one byte.
inline char32_t NextCodePoint(std::string_view s, size_t& i) {
    const auto b = static_cast<unsigned char>(s[i]);
    const int extra = b < 0x80 ? 0 : (b >> 5) == 6 ? 1 : (b >> 4) == 14 ? 2 : (b >> 3) == 30 ? 3 : -1;
    if (extra == 0) {
        ++i;
        return b;
    }
    if (extra < 0 || i + static_cast<size_t>(extra) >= s.size()) {
        ++i;
        return 0xFFFD;
    }
    char32_t cp = b & (0x3F >> extra);
    for (int k = 1; k <= extra; ++k) {
        const auto c = static_cast<unsigned char>(s[i + static_cast<size_t>(k)]);
        if ((c & 0xC0) != 0x80) {
            ++i;
            return 0xFFFD;
        }
        cp = (cp << 6) | (c & 0x3F);
    }
    i += static_cast<size_t>(extra) + 1;
    return cp;
}

// Appends code point `cp` (at most U+10FFFF) as UTF-8.
inline void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
        return;
    }
    static constexpr unsigned char kLead[] = {0, 0xC0, 0xE0, 0xF0};
    const int extra = cp < 0x800 ? 1 : cp < 0x10000 ? 2 : 3;
    out += static_cast<char>(kLead[extra] | (cp >> (6 * extra)));
    for (int k = extra - 1; k >= 0; --k) out += static_cast<char>(0x80 | ((cp >> (6 * k)) & 0x3F));
}

// The first `count` code points of `s` (all of it when it has fewer); never
// ends inside a character.
inline std::string_view FirstCodePoints(std::string_view s, size_t count) {
    size_t i = 0;
    for (size_t n = 0; n < count && i < s.size(); ++n) NextCodePoint(s, i);
    return s.substr(0, i);
}

// How many code points `s` holds (a malformed byte counts as one).
inline size_t CodePointCount(std::string_view s) {
    size_t n = 0;
    for (size_t i = 0; i < s.size(); ++n) NextCodePoint(s, i);
    return n;
}

}  // namespace plat
