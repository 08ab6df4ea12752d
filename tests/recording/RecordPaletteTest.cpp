// The Record/Play palette in the running application, driven by scripts.

#include <gtest/gtest.h>

#include <algorithm>

#include "graphics/DIBButton.h"
#include "recording/codec/SessionFile.h"
#include "tests/recording/PaletteRig.h"

namespace palettetest {
namespace {

const std::string kStart = "wait 3000\nkey tab\nwait 200\n";

std::string Click(At a) { return "click " + a.Str() + "\n"; }
std::string Move(int x, int y) { return "move " + std::to_string(x) + " " + std::to_string(y) + "\n"; }

// Track 1 recorded with three roll-overs 200 and 300 ms apart, then stopped.
const std::string kRecordThree = Click(kTrack[0]) + Click(kRecord) + "wait 300\n" + Move(250, 300) + "wait 200\n" +
                                 Move(350, 300) + "wait 300\n" + Move(450, 300) + Click(kStop) + "wait 100\n";

bool Contains(const std::vector<std::string>& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

// The ids of the palette's sounds (1000..1006) in the order they started; a
// duplicate counts as the sound it copies.
std::vector<int> PaletteSounds(const PaletteRig& rig) {
    std::vector<int> ids;
    for (const std::string& line : rig.TraceOf("play ")) {
        const size_t dup = line.find(" dup ");
        const int id = std::stoi(dup != std::string::npos ? line.substr(dup + 5) : line.substr(5));
        if (id >= 1000 && id <= 1006) ids.push_back(id);
    }
    return ids;
}

// The scene's log lines (and times) from `from` on.
std::vector<std::string> LinesFrom(const SceneLog& log, size_t from) {
    return {log.lines.begin() + static_cast<std::ptrdiff_t>(from), log.lines.end()};
}
std::vector<uint32_t> GapsFrom(const SceneLog& log, size_t from, size_t count) {
    std::vector<uint32_t> gaps;
    for (size_t i = from + 1; i < from + count && i < log.times.size(); ++i)
        gaps.push_back(log.times[i] - log.times[i - 1]);
    return gaps;
}

TEST(RecordPalette, OpensFullWithItsTitleAndTracesWhereItsFaceIs) {
    PaletteRig rig;
    rig.Run(kStart);
    CRecordPalette* palette = rig.Palette();
    ASSERT_NE(palette, nullptr);
    EXPECT_EQ(palette->Title(), "   Record/Play Palette");
    EXPECT_EQ(palette->OuterRect(), plat::Rect::FromSize(20, 20, 130, 178));
    EXPECT_EQ(palette->ClientRect(), plat::Rect::FromSize(0, 0, 120, 148));
    EXPECT_TRUE(palette->IsTopmost());
    EXPECT_FALSE(palette->IsCompact());
    EXPECT_EQ(rig.TraceOf("palette"), (std::vector<std::string>{"palette 25 50"}));
    // The buttons were built after the first paint; the knob shows level 1.
    ASSERT_NE(palette->FindButton(CRecordPalette::kHelpId), nullptr);
    EXPECT_EQ(palette->FindButton(CRecordPalette::kKnobId)->m_y, 26);
    EXPECT_EQ(palette->DiscImageDir(), "c:\\plinkpad\\assets\\center\\recpal\\Ce");
}

TEST(RecordPalette, DraggingTheCaptionMovesItAndTracesTheNewPlace) {
    PaletteRig rig;
    rig.Run(kStart + "down 60 35\nmove 110 45\nup 160 55\nwait 50\n");
    ASSERT_NE(rig.Palette(), nullptr);
    EXPECT_EQ(rig.Palette()->OuterRect().left, 120);
    EXPECT_EQ(rig.Palette()->OuterRect().top, 40);
    EXPECT_EQ(rig.TraceOf("palette").back(), "palette 125 70");
}

TEST(RecordPalette, RecordingFillsTheSelectedTrackNamedAfterTheWorld) {
    PaletteRig rig;
    rig.Run(kStart + kRecordThree);
    const SessionCut* cut = rig.Session().GetCut(0);
    ASSERT_NE(cut, nullptr);
    EXPECT_EQ(cut->name, "Center.1");
    EXPECT_EQ(cut->world, 0);
    ASSERT_EQ(cut->events.size(), 3u);
    EXPECT_EQ(cut->events[0].kind, 1);
    EXPECT_EQ(cut->events[0].a, 250);
    EXPECT_EQ(cut->events[2].a, 450);
    EXPECT_EQ(cut->events[1].time - cut->events[0].time, 200u);
    EXPECT_EQ(cut->events[2].time - cut->events[1].time, 300u);
    EXPECT_FALSE(rig.Session().IsRecording());

    EXPECT_TRUE(Contains(rig.Trace(), "label Center.1"));
    // Track, Record, compact, Stop, full: the palette's own sounds in order.
    // (Hovering Record sounds 1004 again.)
    EXPECT_EQ(PaletteSounds(rig), (std::vector<int>{1004, 1002, 1004, 1001, 1003, 1000, 1003}));
    // Compact at the corner while recording, full there afterwards.
    EXPECT_EQ(rig.TraceOf("palette"),
              (std::vector<std::string>{"palette 25 50", "palette 5 30", "palette 5 30"}));
    ASSERT_NE(rig.Palette(), nullptr);
    EXPECT_FALSE(rig.Palette()->IsCompact());
    EXPECT_EQ(rig.Palette()->OuterRect(), plat::Rect::FromSize(0, 0, 130, 178));
}

TEST(RecordPalette, PlayFeedsTheCutBackWithItsGaps) {
    PaletteRig rig;
    rig.Run(kStart + kRecordThree + Click(Corner(kPlay)) + "wait 1000\n");
    const SceneLog& log = rig.Log();
    ASSERT_EQ(log.lines.size(), 6u);
    EXPECT_EQ(LinesFrom(log, 3), std::vector<std::string>(log.lines.begin(), log.lines.begin() + 3));
    EXPECT_EQ(GapsFrom(log, 3, 3), GapsFrom(log, 0, 3));
    EXPECT_EQ(GapsFrom(log, 3, 3), (std::vector<uint32_t>{200, 300}));
    EXPECT_FALSE(rig.Session().IsPlaying());
    // Compact and holding the pointer while it played, then full and free.
    EXPECT_TRUE(Contains(rig.Trace(), "play 1005 Replay_c.wav"));
    EXPECT_FALSE(rig.Host().windows.CursorClip().has_value());
    EXPECT_FALSE(rig.Palette()->IsCompact());
}

TEST(RecordPalette, TheSelectedTrackClickedAgainIsDeselected) {
    PaletteRig rig;
    rig.Run(kStart + Click(kTrack[2]) + Click(kTrack[2]) + "wait 50\n");
    ASSERT_NE(rig.Palette(), nullptr);
    EXPECT_EQ(rig.Palette()->Selected(), nullptr);
    EXPECT_EQ(PaletteSounds(rig), (std::vector<int>{1004, 1002, 1002}));
    EXPECT_FALSE(rig.Palette()->FindButton(4)->m_bHeld);
}

TEST(RecordPalette, TypingANameThenSelectingAnotherTrackRenamesTheCut) {
    PaletteRig rig;
    std::string script = kStart + kRecordThree + Click(Corner(kCutBox));
    for (int i = 0; i < 8; ++i) script += "key backspace\n";
    script += "type My tune\n" + Click(Corner(kTrack[1])) + "wait 50\n";
    rig.Run(script);
    ASSERT_NE(rig.Session().GetCut(0), nullptr);
    EXPECT_EQ(rig.Session().GetCut(0)->name, "My tune");
    ASSERT_NE(rig.Palette()->Selected(), nullptr);
    EXPECT_EQ(rig.Palette()->Selected()->m_nId, 3);
    EXPECT_EQ(rig.Palette()->Edit().GetText(), "Empty Cut.2");
    EXPECT_TRUE(rig.Session().IsModified());
}

TEST(RecordPalette, CtrlWithClearCutClearsEveryTrack) {
    for (bool withSelection : {true, false}) {
        PaletteRig rig;
        std::string script = kStart + kRecordThree;
        // Track 2 as well, from the palette at the corner.
        script += Click(Corner(kTrack[1])) + Click(Corner(kRecord)) + Move(300, 200) + Move(500, 200) + Click(kStop);
        if (!withSelection) script += Click(Corner(kTrack[1]));
        script += "keydown ctrl\n" + Click(Corner(kClearCut)) + "keyup ctrl\nwait 50\n";
        rig.Run(script);
        for (int track = 0; track < 6; ++track)
            EXPECT_EQ(rig.Session().GetCut(track), nullptr) << "track " << track << " selection " << withSelection;
        EXPECT_TRUE(rig.TraceOf("play 30 ").empty());
        if (withSelection) {
            EXPECT_EQ(rig.Palette()->Edit().GetText(), "Empty Cut.2");
        }
    }
}

// Ctrl and Shift as the palette and the scene see them: they follow the real
// keys wherever the keys went, also after a playback that ended with a
// replayed modifier held; while all cuts play the palette keeps the keys.
TEST(RecordPalette, ModifierKeysFollowTheRealKeysAndPlayAllKeepsTheKeys) {
    const std::string twoTracks = kStart + kRecordThree + Click(Corner(kTrack[1])) + Click(Corner(kRecord)) +
                                  Move(300, 200) + Move(500, 200) + Click(kStop) + "wait 50\n";
    {
        SCOPED_TRACE("Ctrl let go while all cuts play, then a plain Clear Cut");
        PaletteRig rig;
        rig.Run(twoTracks + "keydown ctrl\n" + Click(Corner(kPlayAll)) + "keyup ctrl\nwait 300\n" + Click(kStop) +
                Click(Corner(kClearCut)) + "wait 50\n");
        EXPECT_NE(rig.Session().GetCut(0), nullptr) << "only the selected track is cleared";
        EXPECT_EQ(rig.Session().GetCut(1), nullptr);
    }
    {
        SCOPED_TRACE("Ctrl let go while the stage has the keys, then a plain Clear Cut");
        PaletteRig rig;
        // A click on the palette's face (not its cut-name box) gives it the keys.
        rig.Run(twoTracks + Click(Corner(FullPoint(5, 5))) + "keydown ctrl\nclick 300 400\nkeyup ctrl\n" +
                Click(Corner(kClearCut)) + "wait 50\n");
        EXPECT_NE(rig.Session().GetCut(0), nullptr) << "only the selected track is cleared";
        EXPECT_EQ(rig.Session().GetCut(1), nullptr);
    }
    {
        SCOPED_TRACE("a letter typed while all cuts play");
        PaletteRig rig;
        rig.Run(twoTracks + Click(Corner(kPlayAll)) + "wait 100\nkey a\nwait 2000\n");
        const std::vector<std::string>& lines = rig.Log().lines;
        EXPECT_EQ(std::count(lines.begin(), lines.end(), "scene 0 key A"), 0) << "the palette has the keys";
        EXPECT_GT(std::count(lines.begin(), lines.end(), "scene 0 move 500,200"), 1) << "both cuts played";
    }
    {
        SCOPED_TRACE("cuts that end with Shift and with Ctrl held, then plain keys");
        PaletteRig rig;
        SessionTracks tracks;
        for (int track : {0, 1}) {
            tracks[track] = std::make_unique<SessionCut>();
            tracks[track]->events = {{0, 1, 250, 100}, {100, 4, track == 0 ? 0x10 : 0x11, 0}};
        }
        WriteBytes(rig.Dir() / "held.sts", WriteSessionFile(tracks));
        rig.Run(kStart + "click 300 400\nfile " + (rig.Dir() / "held.sts").string() +
                "\nkeydown ctrl\nkey o\nkeyup ctrl\nwait 50\n" + Click(kTrack[0]) + Click(kPlay) + "wait 500\nkey 1\n" +
                Click(Corner(kTrack[1])) + Click(Corner(kPlay)) + "wait 500\nkey o\nwait 50\n");
        EXPECT_TRUE(rig.TraceOf("volume").empty()) << "a plain 1, not Shift+1";
        EXPECT_TRUE(Contains(rig.Log().lines, "scene 0 key O")) << "a plain letter, not Ctrl+O";
        EXPECT_TRUE(rig.TraceOf("play 10 ").empty()) << "no file dialog was cancelled";
    }
}

TEST(RecordPalette, The501stEventEndsTheRecordingWithAMessage) {
    PaletteRig rig;
    std::string script = kStart + Click(kTrack[0]) + Click(kRecord);
    for (int i = 0; i < 520; ++i) script += Move(i % 2 ? 350 : 250, 300);
    script += "wait 50\n";
    rig.Run(script);
    const SessionCut* cut = rig.Session().GetCut(0);
    ASSERT_NE(cut, nullptr);
    EXPECT_EQ(cut->events.size(), 500u);
    EXPECT_FALSE(rig.Session().IsRecording());
    EXPECT_EQ(rig.TraceOf("message"),
              (std::vector<std::string>{"message This track is full. Please click OK to stop recording."}));
    EXPECT_FALSE(rig.Palette()->IsCompact());
}

TEST(RecordPalette, TabClosesItButNotWhileRecording) {
    {
        PaletteRig rig;
        rig.Run(kStart + "key tab\nwait 50\n");
        EXPECT_EQ(rig.Palette(), nullptr);
    }
    {
        PaletteRig rig;
        rig.Run(kStart + Click(kTrack[0]) + Click(kRecord) + "key tab\n" + Move(250, 300) + "wait 50\n");
        ASSERT_NE(rig.Palette(), nullptr);
        EXPECT_TRUE(rig.Session().IsRecording());
        EXPECT_TRUE(rig.Palette()->IsCompact());
    }
}

TEST(RecordPalette, TheHelpPictureFillsItsWindowAndHoldsThePointer) {
    PaletteRig rig;
    const plat::Rect window = plat::Rect::FromSize((640 - 374) / 2, (480 - 382) / 2, 374, 382);
    bool seen = false;
    // Tab goes to the help while it shows: the palette stays open.
    rig.Run(kStart + Click(kHelp) + "move 5 5\nkey tab\nwait 50\nclick 300 300\nwait 50\n", [&] {
        if (!rig.View().m_bModal || seen) return;
        seen = true;
        // The pointer is put on the picture's corner and cannot leave it.
        EXPECT_EQ(rig.Host().windows.CursorClip(), window);
        EXPECT_EQ(rig.Host().windows.CursorPos(), (plat::Point{window.left, window.top}));
        plat::Bitmap desktop(640, 480, 8);
        rig.Host().windows.Compose(desktop);
        EXPECT_EQ(rig.Host().display.ColourOf(desktop.Row(240)[320]), kColours[kBlue]);
    });
    EXPECT_TRUE(seen);
    ASSERT_NE(rig.Palette(), nullptr);
    EXPECT_EQ(PaletteSounds(rig).back(), 1006);
    EXPECT_EQ(rig.View().m_bModal, 0);
    EXPECT_FALSE(rig.Host().windows.CursorClip().has_value());
}

TEST(RecordPalette, TheVolumeSliderSetsTheLevelAndMovesTheKnob) {
    PaletteRig rig;
    rig.Run(kStart + Click(Volume(3)) + Click(Volume(5)) + "wait 50\n");
    EXPECT_EQ(rig.TraceOf("volume"), (std::vector<std::string>{"volume 3", "volume 5"}));
    CDIBButton* knob = rig.Palette()->FindButton(CRecordPalette::kKnobId);
    EXPECT_EQ(knob->m_y, 66);
    EXPECT_EQ(knob->m_rect, (plat::Rect{90, 66, 109, 77}));
    EXPECT_TRUE(knob->m_bLit);
}

TEST(RecordPalette, TheCompactLightsSelectTracksAndStopEndsThePlayback) {
    PaletteRig rig;
    rig.Run(kStart + kRecordThree + Click(Corner(kPlay)) + "wait 100\n" + Click(kLight[2]) + Click(kStop) +
            "wait 1000\n");
    ASSERT_NE(rig.Palette(), nullptr);
    ASSERT_NE(rig.Palette()->Selected(), nullptr);
    EXPECT_EQ(rig.Palette()->Selected()->m_nId, 4);
    EXPECT_FALSE(rig.Session().IsPlaying());
    EXPECT_FALSE(rig.Palette()->IsCompact());
    EXPECT_EQ(rig.Log().lines.size(), 4u);  // three recorded, one played before Stop
}

TEST(RecordPalette, ClosingItDuringPlaybackStopsThePlayback) {
    PaletteRig rig;
    // Tab reaches the scene (Play gave it the focus) after the first event.
    rig.Run(kStart + kRecordThree + Click(Corner(kPlay)) + "wait 100\nkey tab\nwait 1000\n");
    EXPECT_EQ(rig.Palette(), nullptr);
    EXPECT_FALSE(rig.Session().IsPlaying());
    EXPECT_FALSE(rig.Host().windows.CursorClip().has_value());
    EXPECT_EQ(rig.Log().lines.size(), 4u);  // three recorded, one played
}

TEST(RecordPalette, ACutOfAnotherWorldSwitchesThereAndPlaysInTheReopenedPalette) {
    PaletteRig rig;
    SessionTracks tracks;
    tracks[2] = std::make_unique<SessionCut>();
    tracks[2]->world = 3;
    tracks[2]->name = "kBot.3";
    tracks[2]->events = {{1000, 1, 250, 100}, {1400, 1, 350, 100}};
    WriteBytes(rig.Dir() / "kbot.sts", WriteSessionFile(tracks));
    // Open the session from the stage (the view has the keys), then play track 3.
    const std::string script = kStart + "click 300 400\nfile " + (rig.Dir() / "kbot.sts").string() +
                               "\nkeydown ctrl\nkey o\nkeyup ctrl\n";
    rig.Run(script + "wait 50\n" + Click(kTrack[2]) + Click(kPlay) + "wait 2000\n");
    EXPECT_EQ(rig.TraceOf("play 30 "), (std::vector<std::string>{"play 30 Nonono.wav"}));
    EXPECT_TRUE(Contains(rig.Trace(), "scene 3"));
    const SceneLog& log = rig.Log();
    ASSERT_GE(log.lines.size(), 2u);
    EXPECT_EQ(log.lines[log.lines.size() - 2], "scene 3 move 250,100");
    EXPECT_EQ(log.lines.back(), "scene 3 move 350,100");
    EXPECT_EQ(log.times.back() - log.times[log.times.size() - 2], 400u);
    ASSERT_NE(rig.Palette(), nullptr);
    EXPECT_EQ(rig.Palette()->World(), 3);
    EXPECT_FALSE(rig.Palette()->IsCompact());
    EXPECT_FALSE(rig.Session().IsPlaying());
    EXPECT_FALSE(rig.Host().windows.CursorClip().has_value());
    EXPECT_EQ(rig.View().m_bReopenPalette, 0);
}

}  // namespace
}  // namespace palettetest
