#pragma once
#include <cstdint>

namespace plat {

// A 24-bit colour.
struct Rgb {
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// The transparent key colour of every button picture.
inline constexpr Rgb kKeyColour{0, 255, 255};
inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kWhite{255, 255, 255};

}  // namespace plat
