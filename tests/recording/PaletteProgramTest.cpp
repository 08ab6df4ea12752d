// The Record/Play palette in the real plinkpad program over the hub, run
// headless with a script on the build's disc and checked through the trace.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "graphics/DIB.h"
#include "recording/codec/SessionFile.h"

namespace {

namespace fs = std::filesystem;

const fs::path kProgram = fs::path(PLINKPAD_BUILD_DIR) / "plinkpad";
const fs::path kDisc = PLINKPAD_DISC_DIR;

struct Line {
    uint32_t ms;
    std::string text;
};

// Runs the program with `script`; the files stay under the build folder
// (palette-runs/NAME) for a look after a failure.
std::vector<Line> RunProgram(const std::string& name, const std::string& script) {
    const fs::path dir = fs::path(PLINKPAD_BUILD_DIR) / "palette-runs" / name;
    fs::remove_all(dir);
    fs::create_directories(dir);
    std::ofstream(dir / "script.txt") << script;
    // The run's own folder is its home too: file dialogs start there.
    const std::string command = "cd '" + dir.string() + "' && HOME='" + dir.string() + "' timeout 120 '" + kProgram.string() +
                                "' --headless --drives '" +
                                kDisc.string() + "' --script script.txt --trace trace.txt > out.txt 2>&1";
    const int status = std::system(command.c_str());
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "see " << dir;
    std::vector<Line> lines;
    std::ifstream in(dir / "trace.txt");
    for (std::string line; std::getline(in, line);) {
        const size_t space = line.find(' ');
        lines.push_back({static_cast<uint32_t>(std::stoul(line.substr(0, space))), line.substr(space + 1)});
    }
    return lines;
}

int Find(const std::vector<Line>& t, const std::string& prefix, int from = 0) {
    for (size_t i = static_cast<size_t>(from); i < t.size(); ++i)
        if (t[i].text.rfind(prefix, 0) == 0) return static_cast<int>(i);
    return -1;
}

// The line at or after `from` that starts sound file `file` (or a duplicate of it).
int FindSound(const std::vector<Line>& t, const std::string& file, int from = 0) {
    for (size_t i = static_cast<size_t>(std::max(from, 0)); i < t.size(); ++i) {
        std::istringstream words(t[i].text);
        std::string play, id, name;
        words >> play >> id >> name;
        if (play == "play" && name == file) return static_cast<int>(i);
    }
    return -1;
}

struct Sound {
    uint32_t gap;  // since the previous scene sound
    std::string file;
    bool operator==(const Sound&) const = default;
};

// The scene's sounds started in t[from, to), by file, with the gap since the
// previous one (the palette's own and the interface sounds left out).
std::vector<Sound> SceneSounds(const std::vector<Line>& t, int from, int to) {
    static const std::vector<std::string> kNotScene = {
        "Restop_c.wav", "Rerec_c.wav", "Recone_c.wav", "Resmall.wav", "Rerolovr.wav", "Replay_c.wav",
        "Rebutt_c.wav", "Save.wav",    "Cancel.wav",   "Nonono.wav",  "Rec_c.wav",    "Close.wav"};
    std::vector<Sound> out;
    std::optional<uint32_t> last;
    for (int i = from; i < to; ++i) {
        std::istringstream words(t[static_cast<size_t>(i)].text);
        std::string play, id, file;
        words >> play >> id >> file;
        if (play != "play" || std::find(kNotScene.begin(), kNotScene.end(), file) != kNotScene.end()) continue;
        const uint32_t ms = t[static_cast<size_t>(i)].ms;
        out.push_back({last ? ms - *last : 0, file});
        last = ms;
    }
    return out;
}

// Playback keeps the order and the gaps; a gap may grow by the window
// timer's 10 ms minimum, which a recorded gap of 0 between two events of one
// move gets on replay (each delay runs from the previous delivery).
void ExpectSamePlay(const std::vector<Sound>& played, const std::vector<Sound>& recorded) {
    ASSERT_EQ(played.size(), recorded.size());
    for (size_t i = 0; i < played.size(); ++i) {
        EXPECT_EQ(played[i].file, recorded[i].file) << "sound " << i;
        if (i == 0) continue;
        EXPECT_GE(played[i].gap, recorded[i].gap) << "sound " << i;
        EXPECT_LE(played[i].gap, recorded[i].gap + 20) << "sound " << i;
    }
}

// A desktop point well inside a hub mask (stage position `at`; the hub's
// stage origin on a 640 x 480 screen is (15, 7)).
std::string HubPoint(const std::string& mask, int atX, int atY, const std::string& folder = "ce_masks") {
    std::ifstream in(kDisc / "plinkpad" / "assets" / "center" / folder / mask, std::ios::binary);
    std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    CDIB dib;
    if (!dib.Read(bytes)) return "0 0";
    long sx = 0, sy = 0, n = 0;
    for (int y = 0; y < dib.GetHeight(); ++y)
        for (int x = 0; x < dib.GetWidth(); ++x)
            if (dib.GetPixelColor(x, y).r < 128) sx += x, sy += y, ++n;
    if (n == 0) return "0 0";
    return std::to_string(15 + atX + sx / n) + " " + std::to_string(7 + atY + sy / n);
}

// The worlds' hot-spots of the hub: Star, Day, kBot, Troid, Gama.
std::string World(int k) {
    static const int kAt[][2] = {{333, 38}, {434, 114}, {414, 291}, {228, 287}, {197, 119}};
    return HubPoint("cet" + std::to_string(k + 1) + "mk.bmp", kAt[k][0], kAt[k][1]);
}

// The palette's controls (docs/scripting.md): full at its first place
// (drawing area at (25, 50)), and at the corner (area at (5, 30)), where it
// also stays once it turned full again.
std::string Full(int x, int y) { return std::to_string(25 + x) + " " + std::to_string(50 + y); }
std::string Corner(int x, int y) { return std::to_string(5 + x) + " " + std::to_string(30 + y); }
const std::string kStop = Corner(95, 18);

class PaletteProgram : public ::testing::Test {
protected:
    void SetUp() override {
        if (!fs::exists(kProgram)) GTEST_SKIP() << "the program is not built";
        if (!fs::exists(kDisc / "plinkpad" / "assets" / "center" / "recpal" / "Cep01up.bmp"))
            GTEST_SKIP() << "the disc has no palette pictures";
    }
};

TEST_F(PaletteProgram, ACutRecordedInTheHubPlaysTheSameSoundsWithTheSameGaps) {
    std::string script = "wait 10\nkey tab\nwait 100\n";
    script += "click " + Full(60, 17) + "\nclick " + Full(42, 45) + "\nwait 300\n";
    script += "move " + World(0) + "\nwait 400\nmove " + World(1) + "\nwait 350\nmove " + World(2) +
              "\nwait 500\nmove 620 470\nwait 100\n";
    script += "click " + kStop + "\nwait 500\nclick " + Corner(60, 45) + "\nwait 4000\n";
    const std::vector<Line> t = RunProgram("record-play", script);

    EXPECT_GE(Find(t, "label Center.1"), 0);
    const int recording = FindSound(t, "Rerec_c.wav");
    const int stopped = FindSound(t, "Restop_c.wav", recording);
    const int played = FindSound(t, "Replay_c.wav", stopped);
    ASSERT_GE(recording, 0);
    ASSERT_GT(stopped, recording);
    ASSERT_GT(played, stopped);
    const std::vector<Sound> recorded = SceneSounds(t, recording, stopped);
    EXPECT_GE(recorded.size(), 4u);
    // The first event plays as Play is clicked, before its sound.
    ExpectSamePlay(SceneSounds(t, stopped, static_cast<int>(t.size())), recorded);
}

TEST_F(PaletteProgram, TwoCutsSavedThenOpenedInANewSessionPlayAllInOrder) {
    const std::string file = (fs::path(PLINKPAD_BUILD_DIR) / "palette-runs" / "two-cuts.sts").string();
    fs::create_directories(fs::path(file).parent_path());
    fs::remove(file);
    std::string script = "wait 10\nkey tab\nwait 100\n";
    // Track 1, then track 2 from the palette at the corner.
    script += "click " + Full(60, 17) + "\nclick " + Full(42, 45) + "\nwait 200\n";
    script += "move " + World(0) + "\nwait 300\nmove " + World(4) + "\nwait 300\nmove 620 470\nwait 100\n";
    script += "click " + kStop + "\nwait 300\n";
    script += "click " + Corner(78, 43) + "\nclick " + Corner(42, 45) + "\nwait 200\n";
    script += "move " + World(3) + "\nwait 450\nmove " + World(2) + "\nwait 250\nmove 620 470\nwait 100\n";
    script += "click " + kStop + "\nwait 300\n";
    // The stage takes the keys: save, new, open.
    script += "click 630 475\nfile " + file + "\nkeydown ctrl\nkey s\nkeyup ctrl\nwait 100\n";
    script += "keydown ctrl\nkey n\nkeyup ctrl\nwait 100\n";
    script += "file " + file + "\nkeydown ctrl\nkey o\nkeyup ctrl\nwait 100\n";
    script += "click " + Corner(60, 125) + "\nwait 6000\n";
    const std::vector<Line> t = RunProgram("save-open-play-all", script);

    ASSERT_TRUE(fs::exists(file));
    EXPECT_GE(Find(t, "label Center.2"), 0);
    const int first = FindSound(t, "Rerec_c.wav");
    const int firstStop = FindSound(t, "Restop_c.wav", first);
    const int second = FindSound(t, "Rerec_c.wav", firstStop);
    const int secondStop = FindSound(t, "Restop_c.wav", second);
    const int saved = FindSound(t, "Save.wav", secondStop);
    ASSERT_GE(first, 0);
    ASSERT_GT(firstStop, first);
    ASSERT_GT(second, firstStop);
    ASSERT_GT(secondStop, second);
    ASSERT_GT(saved, secondStop);
    std::vector<Sound> recorded = SceneSounds(t, first, firstStop);
    const std::vector<Sound> cut2 = SceneSounds(t, second, secondStop);
    ASSERT_FALSE(recorded.empty());
    ASSERT_FALSE(cut2.empty());
    // Played together: cut 1, then cut 2 at once after its last event.
    const size_t cut1Size = recorded.size();
    recorded.insert(recorded.end(), cut2.begin(), cut2.end());
    std::vector<Sound> played = SceneSounds(t, saved, static_cast<int>(t.size()));
    ASSERT_EQ(played.size(), recorded.size());
    played[cut1Size].gap = 0;
    recorded[cut1Size].gap = 0;
    ExpectSamePlay(played, recorded);
}

TEST_F(PaletteProgram, RefusalsInTheHubPlayTheRefusalSoundOnly) {
    const std::string record = Full(42, 45), play = Full(60, 45), track4 = Full(36, 68);
    struct Case {
        const char* name;
        std::string clicks;
    } cases[] = {
        {"Record without a track", "click " + record + "\n"},
        {"Play without a track", "click " + play + "\n"},
        {"Play an empty track", "click " + track4 + "\nclick " + play + "\n"},
        {"Play all without cuts", "click " + Full(60, 125) + "\n"},
        {"Clear Cut without a track", "click " + Full(26, 125) + "\n"},
    };
    int n = 0;
    for (const Case& c : cases) {
        const std::vector<Line> t = RunProgram("refusal-" + std::to_string(n++), "wait 10\nkey tab\nwait 100\n" +
                                                                                      c.clicks + "wait 100\n");
        const int opened = Find(t, "palette 25 50");
        ASSERT_GE(opened, 0) << c.name;
        EXPECT_GE(FindSound(t, "Nonono.wav", opened), 0) << c.name;
        // Nothing turned compact: the palette never moved.
        EXPECT_EQ(Find(t, "palette ", opened + 1), -1) << c.name;
    }
}

TEST_F(PaletteProgram, ARecordingGoingOnIsNeitherLostToASaveNorToANewSession) {
    // Found by the monkey: saved while recording, the session counted as
    // saved once the cut was stored, so a new session dropped it without a
    // question; and a Yes to "Save now?" during a recording saved the
    // session without the cut being recorded.
    const fs::path dir = fs::path(PLINKPAD_BUILD_DIR) / "palette-runs";
    fs::create_directories(dir);
    const std::string during = (dir / "during.sts").string(), kept = (dir / "kept.sts").string();
    fs::remove(during);
    fs::remove(kept);
    std::string script = "wait 10\nkey tab\nwait 100\nclick " + Full(60, 17) + "\nclick " + Full(42, 45) + "\nwait 200\n";
    script += "move " + World(0) + "\nwait 300\nfile " + during + "\nkeydown ctrl\nkey s\nkeyup ctrl\nwait 100\n";
    script += "move " + World(1) + "\nwait 300\nclick " + kStop + "\nwait 300\n";
    script += "click 630 475\nanswer cancel\nkeydown ctrl\nkey n\nkeyup ctrl\nwait 100\n";
    script += "click " + Corner(42, 45) + "\nwait 200\nmove " + World(2) + "\nwait 300\n";
    script += "answer yes\nfile " + kept + "\nkeydown ctrl\nkey n\nkeyup ctrl\nwait 100\n";
    const std::vector<Line> t = RunProgram("recording-kept", script);

    EXPECT_GE(Find(t, "message Unsaved information in session. Save now?"), 0) << "the stored cut is unsaved news";
    std::ifstream in(kept, std::ios::binary);
    const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    SessionTracks tracks;
    std::string error;
    ASSERT_TRUE(ReadSessionFile(bytes, tracks, error)) << error;
    ASSERT_NE(tracks[0], nullptr) << "the recording going on when the question came is in the file";
    EXPECT_FALSE(tracks[0]->events.empty());
}

TEST_F(PaletteProgram, CtrlReleasedOverThePaletteLeavesAPlainQToTheStage) {
    // Ctrl went down over the stage and came up over the palette: the stage
    // never saw it released and took the next plain Q for Ctrl+Q, quitting.
    std::string script = "wait 10\nkey tab\nwait 100\nclick 630 475\n";
    script += "keydown ctrl\nclick " + Full(60, 17) + "\nkeyup ctrl\nwait 100\n";
    script += "click 630 475\nkey q\nwait 100\nkey tab\nwait 100\nkey tab\nwait 100\n";
    const std::vector<Line> t = RunProgram("ctrl-over-palette", script);
    const int first = Find(t, "palette 25 50");
    ASSERT_GE(first, 0);
    EXPECT_GE(Find(t, "palette 25 50", first + 1), 0) << "the program still ran after the Q";
}

TEST_F(PaletteProgram, TheSliderSetsTheEngineLevelAndTheHubMenuShowsIt) {
    // The menu strip lies under the palette's first place: close it first.
    std::ifstream in(kDisc / "plinkpad" / "assets" / "center" / "menu" / "Cemenu.bmp", std::ios::binary);
    std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    CDIB strip;
    ASSERT_TRUE(strip.Read(bytes));
    const std::string stripPoint =
        std::to_string(15 + strip.GetWidth() - 2) + " " + std::to_string(7 + strip.GetHeight() / 2);
    const std::string volume = HubPoint("Cevolmk.bmp", 124, 3, "menu/masks");
    std::string script = "wait 10\nkey tab\nwait 100\nclick " + Full(98, 51) + "\nwait 50\nkey tab\nwait 50\n";
    script += "move " + stripPoint + "\nmove " + volume + "\ndown " + volume + "\nup " + volume + "\nwait 100\n";
    const std::vector<Line> t = RunProgram("volume", script);
    const int level = Find(t, "volume 3");
    ASSERT_GE(level, 0);
    const int opened = Find(t, "menu open", level);
    ASSERT_GT(opened, level);
    EXPECT_GE(Find(t, "menu mark 3", opened), 0);
}

}  // namespace

namespace {

TEST_F(PaletteProgram, ThePaletteItsHelpAndTheAboutBoxLoadEveryPictureWithoutAMessage) {
    // Full palette, its record help, compact while recording, full again,
    // closed with Tab; then the About box from the hub's menu.
    std::string script = "wait 10\nkey tab\nwait 100\nclick " + Full(60, 17) + "\n";
    script += "click " + Full(94, 125) + "\nwait 100\nclick 320 240\nwait 100\n";
    script += "click " + Full(42, 45) + "\nwait 200\nclick " + kStop + "\nwait 200\n";
    script += "key tab\nwait 100\nmove 30 15\nmove 35 19\ndown 35 19\nmove 50 47\nup 50 47\nwait 200\n";
    script += "click 100 100\nwait 100\n";
    const std::vector<Line> t = RunProgram("every-picture", script);

    for (const Line& line : t) EXPECT_NE(line.text.rfind("message", 0), 0u) << line.text;
    EXPECT_GE(Find(t, "palette 5 30"), 0) << "the palette turned compact";
    EXPECT_GE(Find(t, "clip 133 49 507 431"), 0) << "the record help showed";
    EXPECT_GE(Find(t, "clip 0 0 378 386"), 0) << "the About box showed";
}

}  // namespace
