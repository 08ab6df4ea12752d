#include <gtest/gtest.h>

#include "platform/Clock.h"
#include "platform/Trace.h"
#include "platform/gdi/Display.h"
#include "platform/gdi/Palette.h"

namespace plat {
namespace {

TEST(ManualClock, WrapsLikeTheHostCounterAndDifferencesStayExact) {
    ManualClock clock(0xFFFFFF00u);
    const uint32_t start = clock.NowMs();
    clock.Advance(0x200);
    EXPECT_EQ(clock.NowMs(), 0x100u);
    EXPECT_EQ(uint32_t(clock.NowMs() - start), 0x200u);
}

TEST(Palette, NearestIndexTakesSmallestDistanceAndLowerIndexOnTie) {
    Palette p({{0, 0, 0}, {10, 10, 10}, {20, 20, 20}, {10, 10, 10}});
    struct Case {
        Rgb colour;
        int expected;
    } cases[] = {
        {{0, 0, 0}, 0},     // exact
        {{9, 11, 10}, 1},   // nearest, and the duplicate at 3 loses the tie
        {{15, 15, 15}, 1},  // equidistant from 1 and 2: the lower index
        {{255, 255, 255}, 2},
    };
    for (const Case& c : cases) EXPECT_EQ(p.NearestIndex(c.colour), c.expected);
}

TEST(Display, RealizingChangesOnlyThePalettesEntriesAndCountsGenerations) {
    Display d(640, 480);
    const uint64_t before = d.PaletteGeneration();
    d.Realize(Palette({{1, 2, 3}}));
    EXPECT_EQ(d.ColourOf(0), (Rgb{1, 2, 3}));
    EXPECT_EQ(d.ColourOf(255), (Rgb{255, 255, 255}));
    EXPECT_EQ(d.PaletteGeneration(), before + 1);
    d.Realize(Palette({{1, 2, 3}}));  // no change, no new generation
    EXPECT_EQ(d.PaletteGeneration(), before + 1);
}

TEST(Trace, PrefixesEachLineWithTheProgramTime) {
    ManualClock clock(1234);
    Trace trace(clock);
    trace.Log("scene 0");
    clock.Advance(66);
    trace.Log("cursor 1");
    ASSERT_EQ(trace.Lines().size(), 2u);
    EXPECT_EQ(trace.Lines()[0], "1234 scene 0");
    EXPECT_EQ(trace.Lines()[1], "1300 cursor 1");
}

}  // namespace
}  // namespace plat
