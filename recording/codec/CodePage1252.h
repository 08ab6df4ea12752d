#pragma once
// Cut names as session files keep them: one byte a character in the
// single-byte Windows code page 1252, as session files have always held
// them; the program holds them as UTF-8. Any thread; no shared state.

#include <string>
#include <string_view>

// UTF-8 text of code page 1252 bytes. Every byte is one character; the five
// bytes the code page leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) become
// the C1 control characters of the same value, so every byte survives a
// round trip through Utf8ToCodePage1252.
std::string CodePage1252ToUtf8(std::string_view bytes);

// Code page 1252 bytes of UTF-8 text, one a character. A character the code
// page cannot hold, and a malformed UTF-8 byte, becomes '?'.
std::string Utf8ToCodePage1252(std::string_view utf8);
