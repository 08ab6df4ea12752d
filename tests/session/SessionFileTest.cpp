#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "recording/codec/SessionFile.h"

namespace {

// Little-endian byte building for hand-made files.
struct Bytes {
    std::vector<uint8_t> v;
    Bytes& U16(uint16_t x) {
        v.push_back(uint8_t(x));
        v.push_back(uint8_t(x >> 8));
        return *this;
    }
    Bytes& U32(uint32_t x) {
        for (int s = 0; s < 32; s += 8) v.push_back(uint8_t(x >> s));
        return *this;
    }
    Bytes& I32(int32_t x) { return U32(uint32_t(x)); }
    Bytes& Text(const std::string& s) {
        v.insert(v.end(), s.begin(), s.end());
        return *this;
    }
    // A 32-byte name field: the text, then `fill` bytes.
    Bytes& Name(const std::string& s, uint8_t fill = 0) {
        Text(s);
        v.insert(v.end(), 32 - s.size(), fill);
        return *this;
    }
    Bytes& Header() { return U16(0xFFFF).U16(0).U16(8).Text("CSession"); }
    Bytes& EmptyTracks(int n) {
        for (int i = 0; i < n; ++i) U32(0);
        return *this;
    }
};

std::unique_ptr<SessionCut> MakeCut(int world, std::vector<SessionEvent> events, std::string name) {
    auto cut = std::make_unique<SessionCut>();
    cut->world = world;
    cut->events = std::move(events);
    cut->name = std::move(name);
    return cut;
}

bool Read(const std::vector<uint8_t>& bytes, SessionTracks& tracks, std::string* error = nullptr) {
    std::string e;
    const bool ok = ReadSessionFile(bytes, tracks, e);
    if (error != nullptr) *error = e;
    return ok;
}

void ExpectSameTracks(const SessionTracks& a, const SessionTracks& b) {
    for (int t = 0; t < kTrackCount; ++t) {
        SCOPED_TRACE(t);
        ASSERT_EQ(a[t] == nullptr, b[t] == nullptr);
        if (!a[t]) continue;
        EXPECT_EQ(a[t]->world, b[t]->world);
        EXPECT_EQ(a[t]->events, b[t]->events);
        EXPECT_EQ(a[t]->name, b[t]->name);
        ASSERT_EQ(a[t]->arrangement == nullptr, b[t]->arrangement == nullptr);
        if (a[t]->arrangement) {
            EXPECT_EQ(*a[t]->arrangement, *b[t]->arrangement);
        }
    }
}

TEST(SessionFile, EmptySessionIsExactly38BytesAndLoadsBackEmpty) {
    SessionTracks tracks;
    const std::vector<uint8_t> bytes = WriteSessionFile(tracks);
    EXPECT_EQ(bytes, Bytes().Header().EmptyTracks(6).v);
    ASSERT_EQ(bytes.size(), 38u);

    tracks[2] = MakeCut(0, {{1, 1, 2, 3}}, "x");  // a load replaces what was there
    ASSERT_TRUE(Read(bytes, tracks));
    for (const auto& cut : tracks) EXPECT_EQ(cut, nullptr);
}

TEST(SessionFile, CenterCutWithTwoEventsIsAnEightyByteRecord) {
    SessionTracks tracks;
    tracks[0] = MakeCut(0, {{1200, 1, 310, 200}, {1450, 2, 310, 201}}, "Center.1");
    const std::vector<uint8_t> bytes = WriteSessionFile(tracks);

    const std::vector<uint8_t> record = Bytes()
                                            .U32(1)  // presence
                                            .I32(0)  // world
                                            .I32(2)  // count
                                            .U32(1200).I32(1).I32(310).I32(200)
                                            .U32(1450).I32(2).I32(310).I32(201)
                                            .U32(0)  // no arrangement
                                            .Name("Center.1")
                                            .v;
    ASSERT_EQ(record.size(), 80u);
    EXPECT_EQ(bytes, Bytes().Header().Text(std::string(record.begin(), record.end())).EmptyTracks(5).v);
}

TEST(SessionFile, DayCutWithoutPiecesStillHasItsArrangement) {
    SessionTracks tracks;
    tracks[4] = MakeCut(2, {{7, 3, 1, 2}}, "Day.5");
    tracks[4]->arrangement = std::make_unique<DayArrangement>();
    tracks[4]->arrangement->set = 3;
    const std::vector<uint8_t> bytes = WriteSessionFile(tracks);

    const std::vector<uint8_t> expected = Bytes()
                                              .Header()
                                              .EmptyTracks(4)
                                              .U32(1).I32(2).I32(1)
                                              .U32(7).I32(3).I32(1).I32(2)
                                              .U32(1).I32(3).I32(0)  // arrangement: set 3, M = 0
                                              .Name("Day.5")
                                              .EmptyTracks(1)
                                              .v;
    EXPECT_EQ(bytes, expected);

    SessionTracks loaded;
    ASSERT_TRUE(Read(bytes, loaded));
    ASSERT_NE(loaded[4], nullptr);
    ASSERT_NE(loaded[4]->arrangement, nullptr);
    EXPECT_EQ(loaded[4]->arrangement->set, 3);
    EXPECT_TRUE(loaded[4]->arrangement->pieces.empty());
}

TEST(SessionFile, RoundTripKeepsEverything) {
    SessionTracks tracks;
    // Times need not start at 0 nor rise; kinds and worlds are not checked.
    tracks[1] = MakeCut(5, {{0xFFFFFFF0u, 1, -5, INT_MAX}, {3, 4, 65, 0}, {3, 99, INT_MIN, -1}}, "Gama.2");
    tracks[2] = MakeCut(2, {{10, 2, 100, 100}}, "");
    tracks[2]->arrangement = std::make_unique<DayArrangement>();
    tracks[2]->arrangement->set = 1;
    tracks[2]->arrangement->pieces = {{20, 40, 300}, {-7, 65, 310}};
    tracks[5] = MakeCut(9, {}, std::string(31, 'n'));

    SessionTracks loaded;
    ASSERT_TRUE(Read(WriteSessionFile(tracks), loaded));
    ExpectSameTracks(tracks, loaded);
}

TEST(SessionFile, NamesEndAtTheFirstNulOrAfter31Bytes) {
    struct Case {
        std::vector<uint8_t> field;
        std::string expected;
    } cases[] = {
        {Bytes().Name("Star.3", 'z').v, "Star.3zzzzzzzzzzzzzzzzzzzzzzzzz"},  // no NUL: 31 bytes
        {Bytes().Name(std::string("ab\0cd", 5), 'q').v, "ab"},               // junk after the NUL ignored
        {Bytes().Name(std::string(32, 'x')).v, std::string(31, 'x')},
        {Bytes().Name("").v, ""},
    };
    for (const Case& c : cases) {
        Bytes file;
        file.Header().U32(0xDEADBEEF).I32(1).I32(0).U32(0).Text(std::string(c.field.begin(), c.field.end()));
        file.EmptyTracks(5);
        SessionTracks tracks;
        ASSERT_TRUE(Read(file.v, tracks));
        ASSERT_NE(tracks[0], nullptr);
        EXPECT_EQ(tracks[0]->name, c.expected);
    }
}

// Names are one byte a character in code page 1252 in the file, UTF-8 in
// memory; a byte read as a character writes back as itself.
TEST(SessionFile, NamesAreCodePage1252InTheFileAndUtf8InMemory) {
    const std::string e31 = [] {
        std::string s;
        for (int i = 0; i < 31; ++i) s += "é";
        return s;
    }();
    struct Case {
        std::string file;  // the name field's text
        std::string text;  // the name in memory
    } both[] = {
        {"Caf\xE9", "Café"},
        {"\x80\x81\x8D\x8F\x90\x9D\x9F", "€\u0081\u008D\u008F\u0090\u009DŸ"},  // undefined bytes: C1 controls
        {"\x01\x7F\xA0\xFF", "\x01\x7F\u00A0ÿ"},
        {std::string(31, '\xE9'), e31},  // 31 characters, 62 bytes of UTF-8
    };
    for (const Case& c : both) {
        SCOPED_TRACE(c.text);
        Bytes file;
        file.Header().U32(1).I32(0).I32(0).U32(0).Name(c.file).EmptyTracks(5);
        SessionTracks tracks;
        ASSERT_TRUE(Read(file.v, tracks));
        EXPECT_EQ(tracks[0]->name, c.text);
        EXPECT_EQ(WriteSessionFile(tracks), file.v);
    }
    // Written only: what the code page cannot hold becomes '?', and the
    // limit counts characters.
    const Case written[] = {
        {"? Gama", "♪ Gama"},
        {"bad ? byte", "bad \xFF byte"},
        {std::string(31, '\xE9'), e31 + "é"},
    };
    for (const Case& c : written) {
        SCOPED_TRACE(c.text);
        SessionTracks tracks;
        tracks[0] = MakeCut(0, {}, c.text);
        EXPECT_EQ(WriteSessionFile(tracks), Bytes().Header().U32(1).I32(0).I32(0).U32(0).Name(c.file).EmptyTracks(5).v);
    }
}

// `sts json` then `sts build` gives back the same bytes for files whose names
// hold every byte value 1..255 (31 to a name, six names to a file).
TEST(SessionFile, StsJsonThenBuildKeepsEveryNameByte) {
    namespace fs = std::filesystem;
    const fs::path sts = fs::path(PLINKPAD_BUILD_DIR) / "sts";
    if (!fs::exists(sts)) GTEST_SKIP() << "the sts tool is not built";
    const fs::path dir = fs::path(PLINKPAD_BUILD_DIR) / "sts-name-bytes";
    fs::create_directories(dir);
    int next = 1;
    for (int n = 0; next <= 255; ++n) {
        Bytes file;
        file.Header();
        for (int track = 0; track < kTrackCount; ++track) {
            std::string name;
            while (next <= 255 && name.size() < kMaxCutNameLength) name += static_cast<char>(next++);
            if (name.empty()) {
                file.U32(0);
                continue;
            }
            file.U32(1).I32(track).I32(1).U32(5).I32(1).I32(2).I32(3).U32(0).Name(name);
        }
        const std::string base = (dir / ("names-" + std::to_string(n))).string();
        std::ofstream(base + ".sts", std::ios::binary)
            .write(reinterpret_cast<const char*>(file.v.data()), static_cast<std::streamsize>(file.v.size()));
        const std::string command = "'" + sts.string() + "' json '" + base + ".sts' > '" + base + ".json' && '" +
                                    sts.string() + "' build '" + base + ".json' '" + base + ".out.sts'";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
        std::ifstream in(base + ".out.sts", std::ios::binary);
        const std::vector<uint8_t> rebuilt{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        EXPECT_EQ(rebuilt, file.v) << "compare " << base << ".sts and " << base << ".out.sts";
    }
}

TEST(SessionFile, WriterCutsLongNamesTo31Bytes) {
    SessionTracks tracks;
    tracks[0] = MakeCut(1, {{1, 1, 1, 1}}, std::string(40, 'L'));
    SessionTracks loaded;
    ASSERT_TRUE(Read(WriteSessionFile(tracks), loaded));
    EXPECT_EQ(loaded[0]->name, std::string(31, 'L'));
}

TEST(SessionFile, BytesAfterTheSixthTrackAreIgnored) {
    std::vector<uint8_t> bytes = Bytes().Header().EmptyTracks(6).U32(1).Text("trailing junk").v;
    SessionTracks tracks;
    EXPECT_TRUE(Read(bytes, tracks));
}

TEST(SessionFile, BadHeadersFail) {
    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
    } cases[] = {
        {"empty file", {}},
        {"first word 0", Bytes().U16(0).U16(0).U16(8).Text("CSession").EmptyTracks(6).v},
        {"first word 0x8001 (a class index)", Bytes().U16(0x8001).EmptyTracks(6).v},
        {"schema 1", Bytes().U16(0xFFFF).U16(1).U16(8).Text("CSession").EmptyTracks(6).v},
        {"other class", Bytes().U16(0xFFFF).U16(0).U16(8).Text("CSessioN").EmptyTracks(6).v},
        {"name with a terminator", Bytes().U16(0xFFFF).U16(0).U16(9).Text(std::string("CSession\0", 9)).EmptyTracks(6).v},
        {"name length 64", Bytes().U16(0xFFFF).U16(0).U16(64).Text(std::string(64, 'C')).EmptyTracks(6).v},
        {"name cut short", Bytes().U16(0xFFFF).U16(0).U16(8).Text("CSess").v},
        {"header only", Bytes().Header().v},
        {"five tracks", Bytes().Header().EmptyTracks(5).v},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SessionTracks tracks;
        std::string error;
        EXPECT_FALSE(Read(c.bytes, tracks, &error));
        EXPECT_FALSE(error.empty());
    }
}

TEST(SessionFile, CountsPastTheEndFailCleanlyAndNegativeOnesReadAsNone) {
    // A cut in track 1 whose counts are replaced; everything after it is valid.
    auto cutWith = [](int32_t events, bool arrangement, int32_t pieces) {
        Bytes b;
        b.Header().U32(1).I32(2).I32(events);
        if (events > 0 && events < 4)
            for (int i = 0; i < events; ++i) b.U32(i).I32(1).I32(2).I32(3);
        b.U32(arrangement ? 1 : 0);
        if (arrangement) b.I32(0).I32(pieces);
        if (pieces > 0 && pieces < 4)
            for (int i = 0; i < pieces; ++i) b.I32(1).I32(2).I32(3);
        b.Name("Day.1").EmptyTracks(5);
        return b.v;
    };
    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
    } cases[] = {
        {"huge event count", cutWith(INT_MAX, false, 0)},
        {"huge piece count", cutWith(1, true, 0x10000000)},
        {"event count one past the end",
         Bytes().Header().EmptyTracks(5).U32(1).I32(0).I32(2).U32(1).I32(1).I32(2).I32(3).U32(0).Name("x").v},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SessionTracks tracks;
        std::string error;
        EXPECT_FALSE(Read(c.bytes, tracks, &error));
        EXPECT_NE(error.find("offset"), std::string::npos) << error;
        for (const auto& cut : tracks) EXPECT_EQ(cut, nullptr);
    }
    SessionTracks tracks;
    EXPECT_TRUE(Read(cutWith(2, true, 2), tracks)) << "the builder itself makes valid files";

    // A negative count reads as none: nothing of the record is skipped.
    for (auto [events, pieces] : {std::pair{-1, 0}, {INT_MIN, 0}, {1, -5}, {INT_MIN, INT_MIN}}) {
        SCOPED_TRACE(std::to_string(events) + " events, " + std::to_string(pieces) + " pieces");
        ASSERT_TRUE(Read(cutWith(events, true, pieces), tracks));
        ASSERT_NE(tracks[0], nullptr);
        EXPECT_EQ(tracks[0]->events.size(), events > 0 ? 1u : 0u);
        ASSERT_NE(tracks[0]->arrangement, nullptr);
        EXPECT_TRUE(tracks[0]->arrangement->pieces.empty());
        EXPECT_EQ(tracks[0]->name, "Day.1");
    }
}

TEST(SessionFile, EveryShortenedFileFails) {
    SessionTracks tracks;
    tracks[0] = MakeCut(0, {{1, 1, 2, 3}, {5, 2, 2, 3}}, "Center.1");
    tracks[3] = MakeCut(2, {{9, 3, 4, 5}}, "Day.4");
    tracks[3]->arrangement = std::make_unique<DayArrangement>();
    tracks[3]->arrangement->pieces = {{1, 2, 3}};
    const std::vector<uint8_t> bytes = WriteSessionFile(tracks);
    for (size_t size = 0; size < bytes.size(); ++size) {
        SessionTracks loaded;
        EXPECT_FALSE(Read(std::vector<uint8_t>(bytes.begin(), bytes.begin() + long(size)), loaded)) << size;
    }
}

}  // namespace
