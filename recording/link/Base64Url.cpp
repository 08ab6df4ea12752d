#include "recording/link/Base64Url.h"

#include <array>

namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";
constexpr uint8_t kNotInAlphabet = 0xFF;

constexpr std::array<uint8_t, 256> MakeValues() {
    std::array<uint8_t, 256> values{};
    values.fill(kNotInAlphabet);
    for (uint8_t v = 0; v < 64; ++v) values[static_cast<uint8_t>(kAlphabet[v])] = v;
    return values;
}
constexpr std::array<uint8_t, 256> kValues = MakeValues();

}  // namespace

std::string EncodeBase64Url(std::span<const uint8_t> bytes) {
    std::string text;
    text.reserve((bytes.size() * 4 + 2) / 3);
    size_t i = 0;
    for (; i + 3 <= bytes.size(); i += 3) {
        const uint32_t group = uint32_t(bytes[i]) << 16 | uint32_t(bytes[i + 1]) << 8 | bytes[i + 2];
        for (int shift = 18; shift >= 0; shift -= 6) text.push_back(kAlphabet[(group >> shift) & 63]);
    }
    const size_t left = bytes.size() - i;
    if (left > 0) {
        uint32_t group = uint32_t(bytes[i]) << 16;
        if (left == 2) group |= uint32_t(bytes[i + 1]) << 8;
        for (size_t c = 0; c <= left; ++c) text.push_back(kAlphabet[(group >> (18 - 6 * c)) & 63]);
    }
    return text;
}

bool DecodeBase64Url(std::string_view text, std::vector<uint8_t>& bytes, std::string& error) {
    bytes.clear();
    if (text.size() % 4 == 1) {
        error = "a base64url text of " + std::to_string(text.size()) + " characters is cut short";
        return false;
    }
    bytes.reserve(text.size() / 4 * 3 + 2);
    uint32_t bits = 0;
    int held = 0;  // bits in `bits` not yet taken as a byte
    for (size_t i = 0; i < text.size(); ++i) {
        const uint8_t v = kValues[static_cast<uint8_t>(text[i])];
        if (v == kNotInAlphabet) {
            error = "character " + std::to_string(i + 1) + " is not base64url";
            bytes.clear();
            return false;
        }
        bits = (bits << 6 | v) & 0xFFFF;
        held += 6;
        if (held >= 8) {
            held -= 8;
            bytes.push_back(static_cast<uint8_t>(bits >> held));
        }
    }
    if ((bits & ((1u << held) - 1)) != 0) {
        error = "the last character of the base64url text has bits beyond its last byte";
        bytes.clear();
        return false;
    }
    return true;
}
