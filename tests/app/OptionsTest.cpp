#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/Options.h"

namespace {

TEST(Options, MonkeyAndSeedOnlyWhereTheyCanWork) {
    struct Case {
        std::vector<std::string> args;
        bool ok;
    } cases[] = {
        {{"--headless", "--monkey", "60", "--seed", "4294967295"}, true},
        {{"--headless", "--monkey", "60", "--monkey-script", "m.txt"}, true},
        {{"--headless", "--script", "s.txt", "--seed", "7"}, true},
        {{"--monkey", "60"}, false},                                        // needs the manual clock
        {{"--headless", "--monkey", "60", "--script", "s.txt"}, false},     // one source of input
        {{"--headless", "--monkey", "0"}, false},
        {{"--headless", "--monkey-script", "m.txt"}, false},
        {{"--headless", "--seed", "-1"}, false},
        {{"--headless", "--seed", "4294967296"}, false},
    };
    for (const Case& c : cases) {
        const ParsedOptions p = ParseOptions(c.args);
        std::string line;
        for (const std::string& a : c.args) line += a + " ";
        EXPECT_EQ(p.error.empty(), c.ok) << line << ": " << p.error;
    }
    const ParsedOptions p = ParseOptions({"--headless", "--monkey", "90", "--seed", "12"});
    EXPECT_EQ(p.options.monkeySeconds, 90);
    EXPECT_EQ(p.options.seed, 12u);
}

TEST(Options, TheOneArgumentThatIsNoOptionIsASessionToOpen) {
    struct Case {
        std::vector<std::string> args;
        std::string session;  // empty: refused
    } cases[] = {
        {{"jam.sts"}, "jam.sts"},
        {{"--headless", "My Songs/jam.sts", "--seed", "3"}, "My Songs/jam.sts"},
        {{"notes.txt"}, "notes.txt"},  // the Open command's own checks judge it
        {{"a.sts", "b.sts"}, ""},
        {{"-jam.sts"}, ""},
    };
    for (const Case& c : cases) {
        const ParsedOptions p = ParseOptions(c.args);
        EXPECT_EQ(p.error.empty(), !c.session.empty()) << c.args.front() << ": " << p.error;
        if (p.error.empty()) {
            EXPECT_EQ(p.options.sessionPath, c.session);
        }
    }
}

TEST(Options, ScaleOnlyForARenderAndWithinItsRange) {
    struct Case {
        std::vector<std::string> args;
        int scale;  // -1: refused
    } cases[] = {
        {{"--render", "s.sts", "s.mp4"}, 0},  // the render's default
        {{"--scale", "8", "--render", "s.sts", "s.webm"}, 8},
        {{"--render", "s.sts", "s.mp4", "--scale", "0"}, -1},
        {{"--render", "s.sts", "s.mp4", "--scale", "9"}, -1},
        {{"--headless", "--scale", "2"}, -1},  // nothing to scale
    };
    for (const Case& c : cases) {
        const ParsedOptions p = ParseOptions(c.args);
        std::string line;
        for (const std::string& a : c.args) line += a + " ";
        EXPECT_EQ(p.error.empty(), c.scale >= 0) << line << ": " << p.error;
        if (c.scale >= 0) {
            EXPECT_EQ(p.options.scale, c.scale) << line;
        }
    }
}

}  // namespace
