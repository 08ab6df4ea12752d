// Day driven through the real program, entered from the hub as a user does;
// checked through the trace (docs/scripting.md lists the lines) and, for the
// pan, through the mix.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "recording/codec/SessionFile.h"
#include "tests/scenes/MixFile.h"
#include "tests/scenes/WorldRun.h"

namespace hubtest {
namespace {

const std::string kDay = "day";

plat::Point Spot(int id) { return SpotPoint(kDay, id); }
plat::Point Tool(int type) { return Spot(110 + 10 * type); }

// A cell's left-top corner on the stage: columns 69 apart, odd ones higher.
plat::Point Anchor(int col, int row) { return {col * 69 + 24, (col % 2 == 0 ? 46 : 12) + row * 69}; }
// A point inside a piece on the cell.
plat::Point OnCell(int col, int row) {
    const plat::Point o = WorldOrigin(kDay), a = Anchor(col, row);
    return {o.x + a.x + 25, o.y + a.y + 25};
}
// The release point whose 42 x 42 drag outline has its corner at stage point s.
plat::Point DropFor(plat::Point s) {
    const plat::Point o = WorldOrigin(kDay);
    return {o.x + s.x + 42, o.y + s.y + 42};
}
plat::Point DropOn(int col, int row) { return DropFor(Anchor(col, row)); }
// The sky above the board: no cell there.
plat::Point Sky() { return {WorldOrigin(kDay).x + 305, WorldOrigin(kDay).y + 13}; }

std::string At(const char* command, plat::Point p) {
    return std::string(command) + " " + std::to_string(p.x) + " " + std::to_string(p.y) + "\n";
}
// Drags tool `type` from the strip and lets go at `to`.
std::string Drag(int type, plat::Point to) {
    return Move(Tool(type)) + At("down", Tool(type)) + Move(to) + At("up", to) + "wait 100\n";
}
std::string RollOnto(plat::Point p) { return Move(Sky()) + "wait 100\n" + Move(p) + "wait 100\n"; }

// The "day ..." lines from index `from` on.
std::vector<std::string> DayLines(const std::vector<TraceLine>& t, int from) {
    std::vector<std::string> out;
    for (size_t i = static_cast<size_t>(std::max(from, 0)); i < t.size(); ++i)
        if (t[i].text.rfind("day ", 0) == 0) out.push_back(t[i].text);
    return out;
}

TEST(DayScript, DraggedToolsPlaceVoiceTakeAwayAndReplacePiecesAndKeysRemoveThem) {
    const std::string script = EnterWorld(2, 3000) +
        // Type 5 on cell (0, 0), voice a on board 0; it sounds when rolled onto.
        Drag(4, DropOn(0, 0)) + RollOnto(OnCell(0, 0)) +
        // Type 1 on (0, 1), voice b; dropped there again it goes.
        Drag(0, DropOn(0, 1)) + RollOnto(OnCell(0, 1)) + Drag(0, DropOn(0, 1)) +
        // Type 9 replaces type 5.
        Drag(8, DropOn(0, 0)) +
        // Corners as far from (0, 0) as from (1, 1), and from (1, 1) as from
        // (2, 0): the lower column takes them.
        Drag(2, DropFor({58, 64})) + Drag(3, DropFor({127, 63})) +
        // Let go on the strip: nothing is placed.
        Drag(1, Spot(300)) +
        // Delete and Backspace take the piece under the pointer, silently.
        RollOnto(OnCell(1, 1)) + "key delete\nwait 100\n" + RollOnto(OnCell(0, 0)) + "key backspace\nwait 100\n" +
        RollOnto(OnCell(0, 0)) + RollOnto(OnCell(1, 1)) +
        // The piece last entered is gone: Shift+letter binds nothing.
        "keydown shift\nkey h\nkeyup shift\nkey h\nwait 300\n";
    const std::vector<TraceLine> t = RunScript("day-pieces", script);
    const int scene = FindLine(t, "scene 2");
    ASSERT_GE(scene, 0);
    EXPECT_EQ(DayLines(t, scene), (std::vector<std::string>{
                                      "day place 12 0 0 a",
                                      "day place 0 0 1 b",
                                      "day remove 0 0 1",
                                      "day remove 12 0 0",
                                      "day place 24 0 0 a",
                                      "day remove 24 0 0",
                                      "day place 6 0 0 a",
                                      "day place 9 1 1 b",
                                      "day remove 9 1 1",
                                      "day remove 6 0 0",
                                  }));
    const int placed = FindLine(t, "day place 12 0 0 a", scene);
    const int sounded = FindLine(t, "play 12 Dat5a.wav", placed);
    ASSERT_GT(sounded, placed);
    EXPECT_EQ(Ms(t, sounded), Ms(t, placed) + 200) << "on the roll-over, not the drop";
    EXPECT_EQ(t[static_cast<size_t>(sounded) + 1].text, "spot lit 12");
    EXPECT_GT(FindLine(t, "play 1 Dat1b.wav", placed), sounded);

    for (const char* removed : {"day remove 9 1 1", "day remove 6 0 0"}) {
        const int at = FindLine(t, removed, scene);
        ASSERT_GT(at, scene) << removed;
        for (int i = at + 1; i < static_cast<int>(t.size()) && Ms(t, i) == Ms(t, at); ++i)
            EXPECT_NE(t[static_cast<size_t>(i)].text.rfind("play ", 0), 0u) << removed << " is silent";
    }
    // Both cells are empty afterwards: rolling onto them plays nothing.
    const int last = FindLine(t, "day remove 6 0 0", scene);
    EXPECT_EQ(Find(t, "play ", last), -1);
}

TEST(DayScript, AnotherBoardReVoicesEveryPiece) {
    const std::string script = EnterWorld(2, 3000) + Drag(4, DropOn(0, 0)) + Drag(0, DropOn(3, 2)) +
                               Click(Spot(201)) + "wait 300\n" + RollOnto(OnCell(0, 0)) + Click(OnCell(0, 0)) +
                               "wait 100\n" + Click(Spot(201)) + "wait 300\n" +
                               // A letter bound to a piece plays its voice.
                               RollOnto(OnCell(0, 0)) + "keydown shift\nkey g\nkeyup shift\n" + Move(Sky()) +
                               "wait 2000\nkey g\nwait 300\n";
    const std::vector<TraceLine> t = RunScript("day-boards", script);
    const int click = FindLine(t, "play 200 Dagrid_c.wav");
    ASSERT_GT(click, 0);
    EXPECT_EQ(DayLines(t, click), (std::vector<std::string>{"day board 1", "day voice 12 0 0 c", "day voice 0 3 2 c"}));
    EXPECT_GT(FindLine(t, "spot lit 201", 0), 0);
    EXPECT_GT(FindLine(t, "spot unlit 200", click), click);
    const int rolled = FindLine(t, "play 14 Dat5c.wav", click);
    ASSERT_GT(rolled, click);
    // A click on a piece plays the voice two on from its own.
    EXPECT_GT(FindLine(t, "play 13 Dat5b.wav", rolled), rolled);
    // The board already chosen is refused.
    const int again = FindSound(t, "Dagrid_c.wav", click + 1);
    ASSERT_GT(again, click);
    EXPECT_GT(FindLine(t, "play 30 Nonono.wav", again), again);
    const int bound = FindLine(t, "spot unlit 12", again);
    ASSERT_GT(bound, again);
    EXPECT_GT(FindSound(t, "Dat5c.wav", bound), bound);
}

TEST(DayScript, TheLoopButtonStepsTheLoopsAndTheCornerOpensThePalette) {
    const plat::Point loop = Spot(500);
    const std::string script = EnterWorld(2, 3000) + Move(loop) + "wait 100\n" + Click(loop) + "wait 300\n" +
                               Click(loop) + "wait 300\nkeydown ctrl\n" + Click(loop) + "wait 100\nkeyup ctrl\n" +
                               Click(Spot(400)) + "wait 300\n";
    const std::vector<TraceLine> t = RunScript("day-loops", script);
    const int scene = FindLine(t, "scene 2");
    const int cursor = FindLine(t, "cursor 3", scene);
    ASSERT_GT(cursor, scene);
    const int start = FindLine(t, "loop start 500 Daloop_1.wav", cursor);
    ASSERT_GT(start, cursor);
    EXPECT_EQ(t[static_cast<size_t>(start) - 1].text, "play 500 Daloop_c.wav");
    const int stop = FindLine(t, "loop stop 500", start);
    ASSERT_GT(stop, start);
    EXPECT_EQ(t[static_cast<size_t>(stop) - 1].text, "play 501 Daloop2.wav");
    EXPECT_GT(FindLine(t, "loop start 508 Daloop_9.wav", stop), stop);
    // The corner's mask is the navigation bar's, from the disc.
    EXPECT_TRUE(std::any_of(t.begin() + stop, t.end(), [](const TraceLine& l) { return l.text.rfind("palette ", 0) == 0; }));
}

TEST(DayScript, TheClearButtonEmptiesTheBoardAndItsNextClickBringsTheArrangementBack) {
    const std::string script = EnterWorld(2, 3000) + Drag(4, DropOn(0, 0)) + Drag(6, DropOn(5, 4)) +
                               Click(Spot(300)) + "wait 300\n" + RollOnto(OnCell(0, 0)) + Click(Spot(300)) +
                               "wait 300\n" + RollOnto(OnCell(5, 4));
    const std::vector<TraceLine> t = RunScript("day-clear", script);
    const int clear = FindLine(t, "day clear");
    ASSERT_GT(clear, 0);
    EXPECT_EQ(t[static_cast<size_t>(clear) + 1].text, "play 300 Daw1_c.wav");
    const int back = FindLine(t, "day place 12 0 0 a", clear);
    ASSERT_GT(back, clear);
    EXPECT_EQ(Find(t, "play 12 ", clear), -1) << "the cleared cell is silent";
    EXPECT_EQ(DayLines(t, clear), (std::vector<std::string>{"day clear", "day place 12 0 0 a", "day place 18 5 4 a"}));
    EXPECT_GT(FindLine(t, "play 18 Dat7a.wav", back), back);
}

// Per-channel RMS (dBFS) of the mix over [fromMs, fromMs + ms).
std::pair<double, double> ChannelLevels(const Mix& mix, uint32_t fromMs, uint32_t ms) {
    const size_t from = mix.FrameAt(fromMs), to = mix.FrameAt(fromMs + ms);
    const double frames = double(to - from);
    auto db = [&](size_t channel) { return Dbfs(std::sqrt(Energy(mix, channel, from, to) / frames)); };
    return {db(0), db(1)};
}

TEST(DayScript, APieceOfTypeFiveSoundsInTheMiddleAndTypeOneFarLeft) {
    const std::string script = EnterWorld(2, 3000) + Drag(4, DropOn(0, 0)) + Drag(0, DropOn(6, 0)) + "wait 2000\n" +
                               RollOnto(OnCell(0, 0)) + "wait 2000\n" + RollOnto(OnCell(6, 0)) + "wait 2000\n";
    const fs::path mix = RunDir("day-pan") / "mix.wav";
    const std::vector<TraceLine> t = RunScript("day-pan", script, "--audio-out '" + mix.string() + "'");
    const Mix wav = ReadMix(mix);
    const int middle = FindSound(t, "Dat5a.wav");
    const int left = FindSound(t, "Dat1c.wav");
    ASSERT_GT(middle, 0);
    ASSERT_GT(left, middle);
    const auto [ml, mr] = ChannelLevels(wav, Ms(t, middle), 300);
    const auto [ll, lr] = ChannelLevels(wav, Ms(t, left), 300);
    EXPECT_GT(ml, -50);
    EXPECT_NEAR(ml, mr, 0.5) << "the engine's default pan is the centre";
    EXPECT_GT(ll, -50);
    EXPECT_GT(ll - lr, 40) << "pan -8000: the right channel 80 dB down";
}

TEST(DayScript, ACutOpenedFromItsSessionFileRebuildsItsBoardAndPlaysTheSameSounds) {
    // Palette points (docs/scripting.md): full at (25, 50), compact and then
    // full again at (5, 30).
    const std::string play = "click 65 47\nwait 300\nclick 65 75\nwait 3000\n";
    const std::string script = EnterWorld(2, 3000) +
        // Arrange board 2 and record a roll over its pieces.
        Drag(4, DropOn(4, 1)) + Drag(0, DropOn(5, 2)) + Drag(8, DropOn(6, 0)) + Click(Spot(202)) + "wait 300\n" +
        kOpenPalette + kRecord + Move(OnCell(4, 1)) + "wait 400\n" + Move(OnCell(5, 2)) + "wait 300\n" +
        Move(OnCell(6, 0)) + "wait 300\n" + Move(Sky()) + "wait 200\n" + kStop +
        // Save (a click on the stage gives it the keys back), change the board, open the file.
        Click(Sky()) + "wait 100\nfile day.sts\nkeydown ctrl\nkey s\nkeyup ctrl\nwait 300\n" + Click(Spot(200)) +
        "wait 300\n" + Move(OnCell(4, 1)) + "wait 100\nkey delete\nwait 100\n" + Drag(2, DropOn(7, 3)) +
        "file day.sts\nkeydown ctrl\nkey o\nkeyup ctrl\nwait 300\n" + play;
    const std::vector<TraceLine> t = RunScript("day-cut", script);
    const int recording = FindLine(t, "label Day.1");
    const int stopped = FindLine(t, "play 1000 Restop_c.wav", recording);
    ASSERT_GT(recording, 0);
    ASSERT_GT(stopped, recording);
    const int changed = FindLine(t, "day place 6 7 3 a", stopped);
    ASSERT_GT(changed, stopped);
    const int played = FindLine(t, "play 1005 Replay_c.wav", changed);
    ASSERT_GT(played, changed);
    const int ended = FindLine(t, "clip off", played);  // the pointer is let go when the cut ends
    ASSERT_GT(ended, played);

    // The board as recorded comes back first: cleared, board 2, the pieces in order.
    const int rebuilt = FindLine(t, "day clear", changed);
    ASSERT_GT(rebuilt, changed);
    EXPECT_EQ(DayLines(t, rebuilt), (std::vector<std::string>{"day clear", "day board 2", "day place 12 4 1 a",
                                                              "day place 0 5 2 b", "day place 24 6 0 b"}));

    const std::vector<TimedSound> recorded = SoundsOf(t, "Dat", recording, stopped);
    ASSERT_EQ(recorded.size(), 3u);  // Dat5a, Dat1b, Dat9b
    ExpectReplayed(recorded, SoundsOf(t, "Dat", rebuilt, ended));

    // The file holds the arrangement: board 2 and each piece's corner + 20 with its id.
    const fs::path json = RunDir("day-cut") / "day.json";
    const std::string command = "'" + std::string(PLINKPAD_BUILD_DIR) + "/sts' json '" +
                                (RunDir("day-cut") / "home" / "day.sts").string() + "' > '" + json.string() + "'";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    std::ifstream in(json);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_NE(text.find("\"world\": 2, \"name\": \"Day.1\""), std::string::npos) << text;
    EXPECT_NE(text.find("\"arrangement\": {\"set\": 2, \"pieces\": [\n    [320, 135, 12],\n    [389, 170, 0],\n"
                        "    [458, 66, 24]\n  ]}"),
              std::string::npos)
        << text;
}

TEST(DayScript, AnArrangementFromAFileKeepsOnlyWhatTheBoardCanShow) {
    // A Day cut whose board number and pieces were edited into nonsense.
    SessionTracks tracks;
    auto cut = std::make_unique<SessionCut>();
    cut->world = 2;
    cut->name = "Odd";
    cut->events.push_back({1000, 1, Sky().x, Sky().y});
    cut->arrangement = std::make_unique<DayArrangement>();
    cut->arrangement->set = 7;
    cut->arrangement->pieces = {{320, 135, 12}, {100, 100, 27}, {100, 100, -3}, {2000000000, -2000000000, 3}, {44, 66, 25}};
    tracks[0] = std::move(cut);
    const fs::path file = RunDir("day-odd-file") / "odd.sts";
    fs::create_directories(file.parent_path());
    const std::vector<uint8_t> bytes = WriteSessionFile(tracks);
    std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));

    const std::string script = EnterWorld(2, 3000) + "file " + file.string() +
                               "\nkeydown ctrl\nkey o\nkeyup ctrl\nwait 300\nkey tab\nwait 300\nclick 85 67\nwait "
                               "300\nclick 85 95\nwait 2000\n";
    const std::vector<TraceLine> t = RunScript("day-odd", script);
    const int rebuilt = FindLine(t, "day clear");
    ASSERT_GT(rebuilt, 0);
    // The board stays; pieces of no known type or far off the board are passed over.
    EXPECT_EQ(DayLines(t, rebuilt), (std::vector<std::string>{"day clear", "day place 12 4 1 a", "day place 24 0 0 a"}));
}

}  // namespace
}  // namespace hubtest
