#include <gtest/gtest.h>

#include <fstream>
#include <random>

#include "platform/fs/HostPath.h"

namespace plat {
namespace {

namespace fs = std::filesystem;

// A scratch tree: two "drives" and an outside directory that must stay unreachable.
class HostPathTest : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() / ("hostpath-" + std::to_string(std::random_device{}()));
        fs::create_directories(root_ / "c" / "Plinkpad" / "Assets" / "troid" / "Image");
        fs::create_directories(root_ / "d" / "Directx" / "Drivers");
        fs::create_directories(root_ / "outside");
        Write(root_ / "c" / "Plinkpad" / "Assets" / "troid" / "Image" / "Back.BMP", "bmp");
        Write(root_ / "c" / "rechp.bmp", "help");
        Write(root_ / "outside" / "secret.txt", "secret");
    }
    void TearDown() override { fs::remove_all(root_); }

    static void Write(const fs::path& p, const std::string& text) { std::ofstream(p, std::ios::binary) << text; }
    HostPath Drives() const { return HostPath({root_ / "c", root_ / "d"}); }

    fs::path root_;
};

TEST_F(HostPathTest, ResolvesHostNamesLikeTheHostFileSystem) {
    HostPath hp = Drives();
    struct Case {
        const char* name;
        const char* expected;  // relative to the scratch root; nullptr = not found
    } cases[] = {
        {"c:\\plinkpad\\assets\\TROID\\image\\back.bmp", "c/Plinkpad/Assets/troid/Image/Back.BMP"},
        {"C:/Plinkpad/Assets/troid/Image/Back.BMP", "c/Plinkpad/Assets/troid/Image/Back.BMP"},
        {"c:\\rechp.bmp ", "c/rechp.bmp"},            // trailing blank ignored
        {"c:\\rechp.bmp...", "c/rechp.bmp"},          // trailing dots ignored
        {"d:\\Directx\\Drivers\\", "d/Directx/Drivers"},
        {"d:\\directx\\.\\drivers", "d/Directx/Drivers"},
        {"c:", "c"},
        {"e:\\anything", nullptr},                   // no third candidate
        {"a:\\rechp.bmp", nullptr},                  // a, b and z are never drives
        {"z:\\rechp.bmp", nullptr},
        {"c:\\missing\\rechp.bmp", nullptr},
        {"c:\\rechp.bmp\\more", nullptr},            // a file is not a folder
        {"", nullptr},
    };
    for (const Case& c : cases) {
        std::optional<fs::path> got = hp.Resolve(c.name);
        if (c.expected == nullptr) {
            EXPECT_FALSE(got.has_value()) << c.name << " -> " << got->string();
        } else {
            ASSERT_TRUE(got.has_value()) << c.name;
            EXPECT_EQ(*got, root_ / c.expected) << c.name;
        }
    }
}

TEST_F(HostPathTest, DotDotNeverLeavesTheDrive) {
    HostPath hp = Drives();
    for (const char* name : {"c:\\..\\outside\\secret.txt", "c:\\..\\..\\..\\..\\..\\..\\etc\\passwd",
                             "c:\\plinkpad\\..\\..\\outside\\secret.txt", "d:/../outside/secret.txt",
                             "c:\\.. \\outside\\secret.txt", "c:\\...\\outside\\secret.txt"}) {
        EXPECT_FALSE(hp.Resolve(name).has_value()) << name;
        EXPECT_FALSE(hp.ReadFile(name).has_value()) << name;
    }
    // Going up and down again inside the drive is fine; above its top it stays at the top.
    EXPECT_EQ(hp.Resolve("c:\\plinkpad\\..\\rechp.bmp"), root_ / "c" / "rechp.bmp");
    EXPECT_EQ(hp.Resolve("c:\\..\\..\\rechp.bmp"), root_ / "c" / "rechp.bmp");
}

TEST_F(HostPathTest, AbsoluteNamesAreInstallPathsUsedAsGiven) {
    HostPath hp = Drives();
    std::string home = root_.string();
    EXPECT_EQ(hp.Resolve(home + "\\OUTSIDE\\Secret.txt"), root_ / "outside" / "secret.txt");
    std::optional<std::vector<uint8_t>> bytes = hp.ReadFile(home + "/outside/secret.txt");
    ASSERT_TRUE(bytes.has_value());
    EXPECT_EQ(std::string(bytes->begin(), bytes->end()), "secret");
}

TEST_F(HostPathTest, ReadsOnlyRegularFiles) {
    HostPath hp = Drives();
    EXPECT_FALSE(hp.ReadFile("d:\\directx").has_value());
    EXPECT_TRUE(hp.IsDirectory("D:\\DIRECTX\\DRIVERS\\"));
    EXPECT_FALSE(hp.IsDirectory("c:\\rechp.bmp"));
    std::optional<std::vector<uint8_t>> bytes = hp.ReadFile("c:\\RECHP.BMP ");
    ASSERT_TRUE(bytes.has_value());
    EXPECT_EQ(bytes->size(), 4u);
}

TEST_F(HostPathTest, WriteNamesKeepTheirSpellingUnlessTheFileExists) {
    HostPath hp = Drives();
    struct Case {
        const char* name;
        const char* expected;
    } cases[] = {
        {"c:\\plinkpad\\New Song.sts", "c/Plinkpad/New Song.sts"},
        {"c:\\plinkpad\\New Song.sts. ", "c/Plinkpad/New Song.sts"},
        {"c:\\RECHP.bmp", "c/rechp.bmp"},  // overwrites the existing file
        {"c:\\nofolder\\x.sts", nullptr},  // the folder must exist
        {"c:\\plinkpad", nullptr},         // a folder is not a file
        {"c:\\", nullptr},
        {"c:\\..\\outside\\new.sts", nullptr},  // stays on the drive, where there is no such folder
    };
    for (const Case& c : cases) {
        std::optional<fs::path> got = hp.ResolveForWrite(c.name);
        if (c.expected == nullptr) {
            EXPECT_FALSE(got.has_value()) << c.name;
        } else {
            ASSERT_TRUE(got.has_value()) << c.name;
            EXPECT_EQ(*got, root_ / c.expected) << c.name;
        }
    }
}

TEST(HostPathList, SplitsDriveListsAndKeepsAtMostTwentyThreeDrives) {
    EXPECT_EQ(HostPath::ParseList("/a:/b::/c:"), (std::vector<fs::path>{"/a", "/b", "/c"}));
    EXPECT_TRUE(HostPath::ParseList("").empty());

    std::vector<fs::path> many;
    for (int i = 0; i < 24; ++i) many.push_back("/drive" + std::to_string(i));
    HostPath hp(many);
    ASSERT_EQ(hp.Candidates().size(), 23u);
    EXPECT_EQ(hp.Candidates().back(), "/drive22");  // y; the 24th would have been z
}

TEST(HostPathList, DefaultListStartsWithTheProgramsOwnDisc) {
    std::vector<fs::path> list = HostPath::DefaultCandidates("/own/disc");
    ASSERT_FALSE(list.empty());
    EXPECT_EQ(list.front(), "/own/disc");
    EXPECT_LE(list.size(), 23u);
}

}  // namespace
}  // namespace plat
