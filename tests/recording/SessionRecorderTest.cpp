#include <gtest/gtest.h>

#include "audio/Random.h"
#include "platform/headless/HeadlessHost.h"
#include "recording/Session.h"
#include "recording/codec/SessionFile.h"
#include "tests/recording/RecorderFakes.h"

namespace {

using Log = std::vector<std::string>;

std::unique_ptr<SessionCut> Cut(int world, std::vector<SessionEvent> events, std::string name = "cut") {
    auto cut = std::make_unique<SessionCut>();
    cut->world = world;
    cut->events = std::move(events);
    cut->name = std::move(name);
    return cut;
}

// One mouse move at (x, 0) at time t: tells cuts apart in the scene's log.
SessionEvent Move(uint32_t t, int x) { return {t, 1, x, 0}; }

plat::HeadlessHostOptions StartingAt(uint32_t ms) {
    plat::HeadlessHostOptions options;
    options.startMs = ms;
    return options;
}

class Recorder : public ::testing::Test {
protected:
    Recorder() {
        h.host.dialogs = &dialogs;
        Connect(palette);
    }

    plat::HeadlessHost h{StartingAt(5000)};
    FakeDialogs dialogs;
    FakeScene scene{0};
    FakePalette palette{h.windows, 0, "Center.1"};
    FakeView view;
    ScriptedRandom random;
    std::unique_ptr<CSession> session = std::make_unique<CSession>(&scene, &palette, &view, random.Source());
    const plat::Rect compactPalette = plat::Rect::FromSize(0, 30, 130, 35);

    void Connect(FakePalette& p) {
        p.session = [this] { return session.get(); };
    }

    // Replaces the session by one read from a file holding `tracks`, the way
    // the view opens a session.
    void Open(SessionTracks tracks) {
        std::string error;
        std::unique_ptr<CSession> loaded = CSession::Load(WriteSessionFile(tracks), error);
        ASSERT_NE(loaded, nullptr) << error;
        session->StopAll();
        loaded->TakeLinksFrom(*session);
        session = std::move(loaded);
    }
    // Lets time pass a millisecond at a time, running the message loop.
    void Pass(uint32_t ms) {
        for (uint32_t i = 0; i < ms; ++i) {
            h.clock.Advance(1);
            h.windows.DispatchAll();
        }
    }
    // Runs the loop until `p`'s playback timer ticks; returns how long that
    // took, 0 when it did not tick within `limit` ms.
    uint32_t NextTick(FakePalette& p, uint32_t limit = 100000) {
        const size_t before = p.ticks.size();
        for (uint32_t ms = 1; ms <= limit; ++ms) {
            Pass(1);
            if (p.ticks.size() > before) return ms;
        }
        ADD_FAILURE() << "no playback tick within " << limit << " ms";
        return 0;
    }
    uint32_t NextTick() { return NextTick(palette); }
    // No playback tick comes any more.
    void ExpectNoMoreTicks(FakePalette& p) {
        const size_t before = p.ticks.size();
        Pass(1000);
        EXPECT_EQ(p.ticks.size(), before);
    }
};

// --- Recording ---

TEST_F(Recorder, FiveHundredEventsFitAndThe501stEndsTheRecording) {
    session->StartRecording(2);
    for (int i = 0; i < CSession::kMaxEvents; ++i) ASSERT_EQ(session->AddEvent(1, i, i), 1) << i;
    EXPECT_TRUE(dialogs.messages.empty());

    EXPECT_EQ(session->AddEvent(1, 0, 0), 0);
    EXPECT_EQ(dialogs.messages, Log{"This track is full. Please click OK to stop recording."});
    EXPECT_FALSE(session->IsRecording());
    EXPECT_EQ(session->AddEvent(1, 0, 0), 0);
    EXPECT_EQ(dialogs.messages.size(), 1u) << "refused quietly once ended";

    EXPECT_EQ(session->StopRecording(), 1);
    ASSERT_NE(session->GetCut(1), nullptr);
    EXPECT_EQ(session->GetCut(1)->events.size(), 500u);
}

TEST_F(Recorder, EventsAreTimedFromTheSessionsStartAndTheFirstLightsTheTrack) {
    h.clock.Advance(1000);
    session->StartRecording(3);
    palette.SetTimer(CSession::kFlashTimer, 100);  // the palette flashes while waiting
    h.clock.Advance(250);
    session->AddEvent(4, 'A', 0);
    EXPECT_EQ(palette.lights, std::vector<int>{2});
    h.clock.Advance(40);
    session->AddEvent(5, 'A', 0);
    session->StopRecording();
    Pass(300);
    EXPECT_EQ(palette.otherTicks, 0) << "the first event stopped the flashing";

    const SessionCut* cut = session->GetCut(2);
    ASSERT_NE(cut, nullptr);
    EXPECT_EQ(cut->events, (std::vector<SessionEvent>{{1250, 4, 'A', 0}, {1290, 5, 'A', 0}}));
    EXPECT_EQ(cut->name, "Center.1");
    EXPECT_EQ(cut->world, 0);
    EXPECT_EQ(cut->arrangement, nullptr);
}

TEST_F(Recorder, RecordingReplacesTheOldCutAtOnceEvenWhenItEndsEmpty) {
    session->StartRecording(1);
    session->AddEvent(1, 5, 5);
    session->StopRecording();
    session->MarkSaved();
    ASSERT_NE(session->GetCut(0), nullptr);

    session->StartRecording(1);
    EXPECT_EQ(session->GetCut(0), nullptr);
    EXPECT_TRUE(session->IsModified());
    EXPECT_EQ(session->StopRecording(), 0);
    EXPECT_EQ(session->GetCut(0), nullptr);
}

TEST_F(Recorder, CutNamesAreCutTo31Characters) {
    // An e-acute, two bytes of UTF-8, is the 31st character: one byte in the file.
    FakePalette longName(h.windows, 0, std::string(30, 'a') + "\xC3\xA9" + "zz");
    session->Attach(&scene, &longName);
    session->StartRecording(1);
    session->AddEvent(1, 0, 0);
    session->StopRecording();
    EXPECT_EQ(session->GetCut(0)->name, std::string(30, 'a') + "\xC3\xA9");
}

TEST_F(Recorder, ModifiedFollowsRecordingClearingRenamingAndStoring) {
    EXPECT_FALSE(session->IsModified());
    EXPECT_EQ(session->ClearCut(0), 0);
    EXPECT_FALSE(session->IsModified()) << "clearing an empty track changes nothing";
    session->StartRecording(1);
    session->AddEvent(1, 0, 0);
    session->StopRecording();
    EXPECT_TRUE(session->IsModified());
    session->MarkSaved();
    EXPECT_FALSE(session->IsModified());
    EXPECT_EQ(session->RenameCut(0, "Center.1"), 1);
    EXPECT_FALSE(session->IsModified()) << "same name";
    session->RenameCut(0, "my tune");
    EXPECT_TRUE(session->IsModified()) << "a rename would otherwise be lost on quit";
    session->MarkSaved();
    EXPECT_EQ(session->ClearCut(0), 1);
    EXPECT_TRUE(session->IsModified());
    session->MarkSaved();
    session->ClearAll();
    EXPECT_TRUE(session->IsModified());
    // Saved while a recording goes on: the cut stored afterwards is news.
    session->StartRecording(2);
    session->AddEvent(1, 0, 0);
    session->MarkSaved();
    EXPECT_EQ(session->StopRecording(), 1);
    EXPECT_TRUE(session->IsModified()) << "the cut would be lost on a new session or quit without a question";
}

// --- Playback ---

TEST_F(Recorder, PlaybackKeepsTheRecordedGapsAndSkipsUnknownKinds) {
    SessionTracks tracks;
    tracks[0] = Cut(0, {{70000, 1, 10, 20},  // the first plays at once, whatever its time
                        {70100, 2, 10, 20},
                        {70100, 3, 10, 20},
                        {70350, 99, 1, 1},   // skipped, but the next gap runs from it
                        {70400, 0, 30, 40},  // kind 0 is a move
                        {60000, 4, 65, 9},   // earlier than its predecessor: no wait
                        {60020, -1, 0, 0},
                        {60030, 5, 65, 9}});
    Open(std::move(tracks));

    h.windows.ClipCursor(&compactPalette);  // as the palette does for playback
    ASSERT_EQ(session->PlayCut(1), 1);
    EXPECT_EQ(scene.log, Log{"move 10,20"});
    EXPECT_EQ(palette.lights, std::vector<int>{0});
    // No wait at all becomes the host's shortest timer period, 10 ms.
    const std::vector<uint32_t> expectedWaits = {100, 10, 250, 50, 10, 20, 10};
    std::vector<uint32_t> waits;
    while (session->IsPlaying() && waits.size() < 20) waits.push_back(NextTick());
    EXPECT_EQ(waits, expectedWaits);
    EXPECT_EQ(scene.log, (Log{"move 10,20", "down 10,20", "up 10,20", "move 30,40", "keydown 65,0", "keyup 65,0"}));

    EXPECT_FALSE(session->IsPlaying());
    ExpectNoMoreTicks(palette);
    EXPECT_FALSE(h.windows.CursorClip());
    EXPECT_EQ(palette.compactCalls, std::vector<bool>{false});
}

TEST_F(Recorder, CutsThatCannotPlayAreRefused) {
    SessionTracks tracks;
    tracks[0] = Cut(0, {});              // a file may hold a cut without events
    tracks[1] = Cut(9, {Move(1, 1)});    // or of a world that does not exist
    Open(std::move(tracks));
    for (int n : {1, 2, 3, 0, 7}) EXPECT_EQ(session->PlayCut(n), 0) << n;
    EXPECT_EQ(session->PlayAll(0), 0);
    EXPECT_EQ(session->PlayAll(1), 0);
    EXPECT_TRUE(view.switches.empty());
    EXPECT_TRUE(scene.log.empty());
}

TEST_F(Recorder, InOrderPlayAllSkipsEmptyTracksAndStopsAfterTheLast) {
    SessionTracks tracks;
    tracks[1] = Cut(0, {Move(10, 1), Move(30, 2)});
    tracks[3] = Cut(0, {Move(500, 3)});
    tracks[5] = Cut(0, {Move(0, 4), Move(5, 5)});
    Open(std::move(tracks));

    ASSERT_EQ(session->PlayAll(0), 1);
    EXPECT_EQ(palette.stopShown, 1);
    while (session->IsPlaying()) NextTick();
    EXPECT_EQ(scene.log, (Log{"move 1,0", "move 2,0", "move 3,0", "move 4,0", "move 5,0"}));
    EXPECT_EQ(palette.lights, (std::vector<int>{0, 1, 2})) << "lights follow the list position, not the track";
    ExpectNoMoreTicks(palette);
}

TEST_F(Recorder, RandomPlayAllRepeatsCutsAndNeverEndsByItself) {
    SessionTracks tracks;
    tracks[0] = Cut(0, {Move(0, 1), Move(10, 1)});
    tracks[4] = Cut(0, {Move(0, 2), Move(10, 2)});
    Open(std::move(tracks));
    random.values = {1, 3, 4, 2, 7, 0};  // positions 1, 1, 0, 0, 1, 0
    ASSERT_EQ(session->PlayAll(1), 1);
    for (int i = 0; i < 5; ++i) NextTick();  // each tick ends a cut and starts the next
    EXPECT_TRUE(session->IsPlaying());
    EXPECT_EQ(palette.lights, (std::vector<int>{1, 1, 0, 0, 1, 0}));
    EXPECT_EQ(scene.log.size(), 11u);
    session->StopPlayback();
    EXPECT_FALSE(session->IsPlaying());
    ExpectNoMoreTicks(palette);
}

TEST_F(Recorder, RandomPlayOfOneEventCutsYieldsToTheLoopInsteadOfRecursing) {
    SessionTracks tracks;
    tracks[0] = Cut(0, {Move(0, 1)});
    tracks[1] = Cut(0, {Move(0, 2)});
    Open(std::move(tracks));
    ASSERT_EQ(session->PlayAll(1), 1);  // returns although no cut ever waits
    EXPECT_TRUE(session->IsPlaying());
    EXPECT_EQ(scene.log.size(), 7u) << "a list's worth of chained cuts, then a tick";
    EXPECT_EQ(NextTick(), 10u);
    EXPECT_EQ(scene.log.size(), 14u);
    session->StopPlayback();
}

TEST_F(Recorder, RandomPlayDrawsFromTheProgramsGeneratorByDefault) {
    session = std::make_unique<CSession>(&scene, &palette, &view);
    SessionTracks tracks;
    for (int t : {0, 2, 3}) tracks[t] = Cut(0, {Move(0, t)});
    Open(std::move(tracks));
    audio::ProgramRandom().Seed(12345);
    audio::CRandom same(12345);
    ASSERT_EQ(session->PlayAll(1), 1);
    std::vector<int> expected;
    for (size_t i = 0; i < palette.lights.size(); ++i) expected.push_back(same.Next() % 3);
    EXPECT_EQ(palette.lights, expected);
    session->StopPlayback();
}

TEST_F(Recorder, ACutOfAnotherWorldSwitchesAndResumesInTheNextPalette) {
    SessionTracks tracks;
    tracks[2] = Cut(3, {Move(0, 1), Move(40, 2)});
    Open(std::move(tracks));

    EXPECT_EQ(session->PlayCut(3), 0);
    EXPECT_EQ(view.switches, (std::vector<std::pair<int, int>>{{3, 3}}));
    EXPECT_TRUE(scene.log.empty());

    // The switch destroys the old palette with its scene, then opens one in kBot.
    session->OnPaletteClosing();
    palette.Close();
    FakeScene kbot(3);
    FakePalette kbotPalette(h.windows, 3);
    Connect(kbotPalette);
    session->Attach(&kbot, &kbotPalette);
    EXPECT_EQ(session->Resume(3), 1);
    EXPECT_EQ(kbot.log, Log{"move 1,0"});
    EXPECT_EQ(NextTick(kbotPalette), 40u);
    EXPECT_EQ(kbot.log, (Log{"move 1,0", "move 2,0"}));
    EXPECT_FALSE(session->IsPlaying());
}

TEST_F(Recorder, PlayAllFollowsCutsAcrossWorldsUntilStopped) {
    SessionTracks tracks;
    tracks[0] = Cut(0, {Move(0, 1)});
    tracks[1] = Cut(5, {Move(0, 2), Move(10, 3)});
    tracks[2] = Cut(0, {Move(0, 4)});
    Open(std::move(tracks));

    ASSERT_EQ(session->PlayAll(0), 1);
    EXPECT_EQ(view.switches, (std::vector<std::pair<int, int>>{{5, 1}}));
    session->OnPaletteClosing();
    palette.Close();
    EXPECT_TRUE(session->IsPlaying()) << "the switch keeps the run going";

    FakeScene gama(5);
    FakePalette gamaPalette(h.windows, 5);
    Connect(gamaPalette);
    session->Attach(&gama, &gamaPalette);
    h.windows.ClipCursor(&compactPalette);
    EXPECT_EQ(session->Resume(1), 1);
    EXPECT_EQ(gamaPalette.lights, std::vector<int>{1});
    EXPECT_EQ(gama.log, Log{"move 2,0"});

    // Stop in Gama before the run returns to Center.
    session->StopPlayback();
    EXPECT_FALSE(session->IsPlaying());
    EXPECT_FALSE(h.windows.CursorClip());
    ExpectNoMoreTicks(gamaPalette);
    EXPECT_EQ(view.switches.size(), 1u);
}

TEST_F(Recorder, ResumeDoesNothingUnlessThisSessionAskedForASwitch) {
    SessionTracks tracks;
    tracks[0] = Cut(0, {Move(0, 1)});
    Open(std::move(tracks));
    EXPECT_EQ(session->Resume(1), 0);
    EXPECT_TRUE(scene.log.empty());
}

TEST_F(Recorder, ClosingThePaletteEndsAPlaybackAndARecording) {
    SessionTracks tracks;
    tracks[0] = Cut(0, {Move(0, 1), Move(100, 2)});
    Open(std::move(tracks));
    h.windows.ClipCursor(&compactPalette);
    ASSERT_EQ(session->PlayCut(1), 1);
    session->OnPaletteClosing();
    EXPECT_FALSE(session->IsPlaying());
    EXPECT_FALSE(h.windows.CursorClip()) << "the pointer is free again";
    ExpectNoMoreTicks(palette);
    EXPECT_TRUE(palette.compactCalls.empty()) << "a closing palette is not resized";

    FakePalette second(h.windows, 0, "Center.2");
    session->Attach(&scene, &second);
    session->StartRecording(2);
    session->AddEvent(1, 7, 7);
    session->OnPaletteClosing();
    EXPECT_FALSE(session->IsRecording());
    ASSERT_NE(session->GetCut(1), nullptr);
    EXPECT_EQ(session->GetCut(1)->events.size(), 1u);
}

TEST_F(Recorder, AReplayedClickThatClosesThePaletteEndsThePlaybackSafely) {
    SessionTracks tracks;
    tracks[0] = Cut(0, {Move(0, 1), {10, 3, 5, 5}, Move(20, 2)});
    Open(std::move(tracks));
    scene.onButtonUp = [&] {
        session->OnPaletteClosing();
        palette.Close();
    };
    ASSERT_EQ(session->PlayCut(1), 1);
    NextTick();  // delivers the click, which closes the palette
    EXPECT_FALSE(session->IsPlaying());
    EXPECT_EQ(scene.log, (Log{"move 1,0", "up 5,5"}));
}

TEST_F(Recorder, StopAllKeepsARecordingsCutAndEndsPlayback) {
    session->StartRecording(4);
    session->AddEvent(2, 1, 1);
    session->StopAll();
    EXPECT_FALSE(session->IsRecording());
    EXPECT_NE(session->GetCut(3), nullptr);
    EXPECT_EQ(palette.compactCalls, std::vector<bool>{false});

    ASSERT_EQ(session->PlayCut(4), 1);
    EXPECT_FALSE(session->IsPlaying()) << "a one-event cut has ended when PlayCut returns";

    SessionTracks tracks;
    tracks[0] = Cut(4, {Move(0, 1)});
    Open(std::move(tracks));
    EXPECT_EQ(session->PlayCut(1), 0);  // a switch is now pending
    session->StopAll();
    EXPECT_EQ(session->Resume(1), 0);
}

// --- The Day world's board ---

TEST_F(Recorder, DayCutsCaptureTheBoardAndRestoreItOnlyWhenItChanged) {
    FakeScene day(2);
    FakePalette dayPalette(h.windows, 2, "Day.1");
    session->Attach(&day, &dayPalette);
    day.nextSet = 7;
    session->StartRecording(1);
    session->AddEvent(1, 1, 1);
    session->StopRecording();
    day.nextSet = 8;
    session->StartRecording(2);
    session->AddEvent(1, 2, 2);
    session->StopRecording();
    ASSERT_NE(session->GetCut(0)->arrangement, nullptr);
    EXPECT_EQ(session->GetCut(0)->arrangement->set, 7);

    auto playAndTakeBoardLog = [&](int n) {
        day.log.clear();
        session->PlayCut(n);
        Log board;
        for (const std::string& line : day.log)
            if (line.find("board") != std::string::npos || line.find("restore") != std::string::npos)
                board.push_back(line);
        return board;
    };
    EXPECT_EQ(playAndTakeBoardLog(1), (Log{"clear board", "restore set 7"}));
    EXPECT_EQ(playAndTakeBoardLog(1), Log{}) << "the same cut again restores nothing";
    EXPECT_EQ(playAndTakeBoardLog(2), (Log{"clear board", "restore set 8"}));
    EXPECT_EQ(playAndTakeBoardLog(1), (Log{"clear board", "restore set 7"}));
    session->ClearRestoredArrangement();  // the Day scene's own reset
    EXPECT_EQ(playAndTakeBoardLog(1), (Log{"clear board", "restore set 7"}));

    session->ClearCut(0);
    EXPECT_EQ(session->RestoredArrangement(), nullptr) << "never left pointing into a deleted cut";
}

}  // namespace
