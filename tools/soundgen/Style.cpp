#include "tools/soundgen/Style.h"

#include <array>

namespace soundgen {

const WorldStyle& StyleOf(int scene) {
    // Keys sit a few semitones apart so a world's motif heard in another
    // world's key is a clear change of colour, not a mere octave.
    static const std::array<WorldStyle, 6> styles{{
        {"Center", {60, {0, 2, 4, 5, 7, 9}}, 96, MusicBox, {0, 2, 4, 7, 6, 4}},        // C major hexatonic
        {"Star", {62, {0, 2, 4, 6, 9}}, 80, Celesta, {5, 7, 9, 8, 10, 7}},             // D lydian pentatonic
        {"Day", {53, {0, 2, 4, 7, 9}}, 104, Marimba, {5, 6, 7, 9, 7, 10}},             // F major pentatonic
        {"kBot", {55, {0, 2, 4, 7, 10}}, 116, ChipLead, {5, 5, 7, 9, 8, 10}},          // G dominant pentatonic
        {"Troid", {52, {0, 3, 5, 7, 10}}, 90, SpaceHarp, {5, 7, 9, 10, 8, 5}},         // E minor pentatonic
        {"Gama", {57, {0, 1, 3, 7, 8}}, 72, Saron, {5, 7, 8, 6, 5, 4}},                // A pelog (selisir-like)
    }};
    return styles[size_t(scene)];
}

}  // namespace soundgen
