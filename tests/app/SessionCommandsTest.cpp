#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>

#include "platform/window/EditControl.h"
#include "platform/window/WindowSystem.h"
#include "recording/Session.h"
#include "recording/codec/SessionFile.h"
#include "tests/app/ShellHarness.h"
#include "tests/app/TestScene.h"

namespace shelltest {
namespace {

using Answer = plat::MessageBoxAnswer;

constexpr char kSaveNow[] = "Unsaved information in session. Save now?";

// Reads a whole file.
std::string Slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class SessionCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::path c = scratch_.path / "c";
        MakeDisc(c);
        shell_.reset();  // one host at a time
        shell_ = std::make_unique<Shell>(std::vector<fs::path>{c}, scratch_.path);
        shell_->app->m_strCDDrive = "c";
        view_ = &shell_->StartView(TestScenes(log_));
        view_->SetPaletteFactory(FakePalettes(log_));
        shell_->Run();
        shell_->Windows().SetScript(&answers_);
        folder_ = scratch_.path / "songs";
        fs::create_directories(folder_);
    }
    void TearDown() override { shell_->Windows().SetScript(nullptr); }

    void File(const std::optional<std::string>& path) { shell_->Windows().QueueFileAnswer(path); }
    void Reply(plat::MessageBoxAnswer a) { shell_->Windows().QueueMessageBoxAnswer(a); }
    std::string In(const std::string& name) const { return (folder_ / name).string(); }
    void Modify() { view_->Session()->ClearAll(); }  // counts as a change
    // Waits until sounds played before have ended, then counts plays of `id`.
    size_t Plays(int id) { return shell_->Traced("play " + std::to_string(id) + " ").size(); }
    void Pass() {
        shell_->headless.clock.Advance(500);
        shell_->Run();
    }

    ScratchDir scratch_;
    Log log_;
    std::unique_ptr<Shell> shell_;
    CPlinkpadView* view_ = nullptr;
    AnswersOnly answers_;
    fs::path folder_;
};

TEST_F(SessionCommandsTest, SaveThenOpenRoundTripsAndNamesTheSession) {
    Modify();
    File(In("Song One.sts"));
    EXPECT_EQ(view_->SaveSession(), 1);
    EXPECT_EQ(Slurp(folder_ / "Song One.sts").size(), 38u);
    EXPECT_EQ(view_->SessionEdit().GetText(), "Song One");
    EXPECT_FALSE(view_->Session()->IsModified());

    // Extensions are compared without regard to case.
    fs::rename(folder_ / "Song One.sts", folder_ / "LOUD.STS");
    const CSession* before = view_->Session();
    File(In("LOUD.STS"));
    EXPECT_EQ(view_->OpenSession(), 1);
    EXPECT_NE(view_->Session(), before);
    EXPECT_EQ(view_->SessionEdit().GetText(), "LOUD");
    EXPECT_TRUE(shell_->Messages().empty());
    EXPECT_EQ(shell_->Traced("session "),
              (std::vector<std::string>{"session save " + In("Song One.sts"), "session open LOUD"}));
}

TEST_F(SessionCommandsTest, OpenAsksAgainForWrongNamesAndKeepsTheSessionWhenLoadingFails) {
    WriteFile(folder_ / "notes.txt", "hello");
    WriteFile(folder_ / "broken.sts", "not a session at all");
    struct Case {
        const char* name;
        std::vector<std::optional<std::string>> files;
        int result;
        std::vector<std::string> messages;
    } cases[] = {
        {"cancel", {std::nullopt}, 0, {}},
        {"wrong extension, then cancel",
         {In("notes.txt"), std::nullopt},
         0,
         {"Not Plinkpads session. File must have .sts extention. Try Again."}},
        {"not a session", {In("broken.sts")}, 0, {"Unable to load session!"}},
        {"only the extension, then cancel", {In(".sts"), std::nullopt}, 0, {"Not Valid filename. Try again."}},
        {"missing file", {In("gone.sts")}, 0, {"Unable to load session!"}},
    };
    for (const Case& c : cases) {
        const CSession* before = view_->Session();
        view_->SessionEdit().SetText("Mine");
        const size_t messages = shell_->Messages().size();
        for (const auto& f : c.files) File(f);
        EXPECT_EQ(view_->OpenSession(), c.result) << c.name;
        const std::vector<std::string> all = shell_->Messages();
        std::vector<std::string> shown(all.begin() + static_cast<long>(messages), all.end());
        EXPECT_EQ(shown, c.messages) << c.name;
        EXPECT_EQ(view_->Session(), before) << c.name << ": the session in use stays";
        EXPECT_EQ(view_->SessionEdit().GetText(), "Mine") << c.name;
    }
}

TEST_F(SessionCommandsTest, SaveChecksOnlyTheLastThreeCharacters) {
    struct Case {
        const char* name;
        std::string answer;
        const char* file;  // written file, nullptr = asked again
    } cases[] = {
        {"plain", In("a.sts"), "a.sts"},
        {"capitals", In("B.STS"), "B.STS"},
        {"no dot before sts", In("tune.vsts"), "tune.vsts"},
        {"other extension", In("c.txt"), nullptr},
    };
    for (const Case& c : cases) {
        File(c.answer);
        if (c.file == nullptr) File(std::nullopt);
        EXPECT_EQ(view_->SaveSession(), c.file != nullptr ? 1 : 0) << c.name;
        if (c.file != nullptr) {
            EXPECT_TRUE(fs::exists(folder_ / c.file)) << c.name;
        } else {
            EXPECT_EQ(shell_->Messages().back(), "File must have .sts extention. Try Again.") << c.name;
        }
    }
}

TEST_F(SessionCommandsTest, AFailedSaveKeepsTheOldFileAndTheSessionCountsAsUnsaved) {
    File(In("keep.sts"));
    ASSERT_EQ(view_->SaveSession(), 1);
    WriteFile(folder_ / "keep.sts", std::string("OLD CONTENT"));
    Modify();

    // Every write beyond 10 bytes fails, as on a full disc.
    struct rlimit saved {};
    getrlimit(RLIMIT_FSIZE, &saved);
    struct rlimit small = saved;
    small.rlim_cur = 10;
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    File(In("keep.sts"));
    const int result = view_->SaveSession();
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(result, 0);
    EXPECT_EQ(shell_->Messages().back(), "Unable to save session!");
    EXPECT_EQ(Slurp(folder_ / "keep.sts"), "OLD CONTENT");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 1) << "no stray file";

    // Quitting still asks, since nothing was saved.
    Reply(Answer::Cancel);
    EXPECT_EQ(view_->QuitProgram(), 0);
    EXPECT_EQ(shell_->Messages().back(), kSaveNow);
    EXPECT_FALSE(shell_->Windows().QuitPosted());
}

TEST_F(SessionCommandsTest, SavingKeepsTheFilesModeAndWritesThroughASymlink) {
    const fs::path real = scratch_.path / "elsewhere" / "real.sts";
    WriteFile(real, "OLD CONTENT");
    const fs::perms mode = fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read;
    fs::permissions(real, mode);
    fs::create_symlink("../elsewhere/real.sts", folder_ / "link.sts");
    File(In("link.sts"));
    ASSERT_EQ(view_->SaveSession(), 1);
    EXPECT_TRUE(fs::is_symlink(folder_ / "link.sts"));
    EXPECT_EQ(Slurp(real).size(), 38u);
    EXPECT_EQ(fs::status(real).permissions(), mode);
    for (const fs::path& dir : {folder_, real.parent_path()})
        EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1) << "no stray file in " << dir;
}

TEST_F(SessionCommandsTest, SaveIntoAMissingFolderFails) {
    File(In("nowhere/x.sts"));
    EXPECT_EQ(view_->SaveSession(), 0);
    EXPECT_EQ(shell_->Messages().back(), "Unable to save session!");
}

TEST_F(SessionCommandsTest, NewAndQuitAskOnlyForAChangedSession) {
    struct Case {
        const char* name;
        bool quit;
        bool modified;
        std::vector<Answer> answers;
        std::vector<std::optional<std::string>> files;
        int result;
        bool asked;
    } cases[] = {
        {"new, unchanged", false, false, {}, {}, 1, false},
        {"new, changed, no", false, true, {Answer::No}, {}, 1, true},
        {"new, changed, cancel", false, true, {Answer::Cancel}, {}, 0, true},
        {"new, changed, yes, save cancelled", false, true, {Answer::Yes}, {std::nullopt}, 1, true},
        {"quit, unchanged", true, false, {}, {}, 1, false},
        {"quit, changed, cancel", true, true, {Answer::Cancel}, {}, 0, true},
        {"quit, changed, yes, save cancelled", true, true, {Answer::Yes}, {std::nullopt}, 1, true},
    };
    for (const Case& c : cases) {
        SetUp();  // a fresh program for each case
        if (c.modified) Modify();
        view_->SessionEdit().SetText("Old Name");
        for (Answer a : c.answers) Reply(a);
        for (const auto& f : c.files) File(f);
        const size_t warnings = Plays(50);
        const int result = c.quit ? view_->QuitProgram() : view_->NewSession();
        EXPECT_EQ(result, c.result) << c.name;
        EXPECT_EQ(!shell_->Messages().empty() && shell_->Messages().back() == kSaveNow, c.asked) << c.name;
        if (c.quit) {
            EXPECT_EQ(shell_->Windows().QuitPosted(), c.result == 1) << c.name;
            EXPECT_EQ(Plays(50) - warnings, c.asked ? 1u : 0u) << c.name << ": the warning sound before the question";
        } else {
            EXPECT_EQ(view_->SessionEdit().GetText(), c.result == 1 ? "New Session" : "Old Name") << c.name;
        }
        TearDown();
    }
}

TEST_F(SessionCommandsTest, NewOpenAndQuitEndARecordingSoThatSavingFirstKeepsItsCut) {
    File(In("empty.sts"));
    ASSERT_EQ(view_->SaveSession(), 1);
    CScene& scene = *view_->Scene();
    scene.ToggleRecordPalette();
    enum class Command { New, Open, Quit };
    for (Command command : {Command::New, Command::Open, Command::Quit}) {
        view_->Session()->StartRecording(2);
        view_->Session()->AddEvent(1, 5, 6);
        log_.clear();
        Reply(Answer::Yes);  // "Save now?"
        File(In("saved.sts"));
        switch (command) {
            case Command::New: EXPECT_EQ(view_->NewSession(), 1); break;
            case Command::Open:
                File(In("empty.sts"));
                EXPECT_EQ(view_->OpenSession(), 1);
                break;
            case Command::Quit: EXPECT_EQ(view_->QuitProgram(), 1); break;
        }
        EXPECT_FALSE(view_->Session()->IsRecording());
        const Log expected = command == Command::Quit ? Log{"compact 0"} : Log{"compact 0", "reselect"};
        EXPECT_EQ(log_, expected)
            << "the recording stops before the question; the typed name then goes to the old session";
        const std::string bytes = Slurp(folder_ / "saved.sts");
        SessionTracks saved;
        std::string error;
        ASSERT_TRUE(ReadSessionFile({reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()}, saved, error))
            << error;
        ASSERT_NE(saved[1], nullptr) << "the save holds the recorded cut";
        EXPECT_EQ(saved[1]->events.size(), 1u);
        if (command == Command::Quit) break;
        ASSERT_NE(scene.Palette(), nullptr);
        // The palette keeps working with the new session.
        view_->Session()->StartRecording(1);
        EXPECT_TRUE(scene.IsRecording());
        view_->Session()->StopAll();
        fs::remove(folder_ / "saved.sts");
    }
    EXPECT_TRUE(shell_->Windows().QuitPosted());
}

}  // namespace
}  // namespace shelltest
