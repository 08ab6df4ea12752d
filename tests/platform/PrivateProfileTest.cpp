#include <gtest/gtest.h>

#include "platform/fs/PrivateProfile.h"

namespace plat {
namespace {

std::string Read(std::string_view file, std::string_view section, std::string_view key, size_t size = 200) {
    std::span<const uint8_t> bytes(reinterpret_cast<const uint8_t*>(file.data()), file.size());
    return GetPrivateProfileString(bytes, section, key, "\\", size);
}

TEST(PrivateProfile, ReadsTheValueTheHostWouldHaveRead) {
    struct Case {
        const char* name;
        std::string file;
        const char* expected;
    } cases[] = {
        {"plain", "[Plinkpads]\nAudio=\\22k\\\n", "\\22k\\"},
        {"case of section and key", "[PLINKPADS]\r\naudio=low\r\n", "low"},
        {"blanks around everything", "  [ Plinkpads ]  \n  Audio  =   low audio  \t\n", "low audio"},
        {"missing file", "", "\\"},
        {"missing section", "[Other]\nAudio=x\n", "\\"},
        {"missing key", "[Plinkpads]\nVideo=x\n", "\\"},
        {"key in another section", "[Other]\nAudio=x\n[Plinkpads]\n", "\\"},
        {"first of two keys", "[Plinkpads]\nAudio=one\nAudio=two\n", "one"},
        {"first of two sections", "[Plinkpads]\nX=1\n[Plinkpads]\nAudio=late\n", "\\"},
        {"empty value", "[Plinkpads]\nAudio=\n", ""},
        {"comment line", "[Plinkpads]\n;Audio=no\nAudio=yes", "yes"},
        {"no final newline, old Mac endings", "[Plinkpads]\rAudio=mac", "mac"},
        {"byte order mark", "\xEF\xBB\xBF[Plinkpads]\nAudio=bom\n", "bom"},
        {"unclosed section header", "[Plinkpads\nAudio=open\n", "open"},
        {"line without equals sign", "[Plinkpads]\nAudio\nAudio=after\n", "after"},
        {"NUL ends the value", std::string("[Plinkpads]\nAudio=ab\0cd\n", 24), "ab"},
        {"equals sign inside the value", "[Plinkpads]\nAudio=a=b\n", "a=b"},
    };
    for (const Case& c : cases) EXPECT_EQ(Read(c.file, "Plinkpads", "Audio"), c.expected) << c.name;
}

TEST(PrivateProfile, CutsValueAndDefaultToTheBuffer) {
    std::string longValue(250, 'v');
    std::string file = "[Plinkpads]\nAudio=" + longValue + "\n";
    EXPECT_EQ(Read(file, "Plinkpads", "Audio", 200), std::string(199, 'v'));
    EXPECT_EQ(Read(file, "Plinkpads", "Audio", 1), "");
    EXPECT_EQ(Read(file, "Plinkpads", "Audio", 0), "");
    std::span<const uint8_t> none;
    EXPECT_EQ(GetPrivateProfileString(none, "s", "k", "default", 4), "def");
}

}  // namespace
}  // namespace plat
