#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/headless/HeadlessHost.h"
#include "platform/window/EditControl.h"
#include "platform/window/FileChooser.h"
#include "platform/window/Keys.h"
#include "tests/platform/WindowTestSupport.h"

namespace fs = std::filesystem;

namespace plat {
namespace {

using T = InputEvent::Type;
using A = MessageBoxAnswer;
using B = MessageBoxButtons;

void QueueKeys(WindowSystem& ws, std::initializer_list<int> keys) {
    for (int k : keys) {
        ws.QueueInput(testing::Key(T::KeyDown, k));
        ws.QueueInput(testing::Key(T::KeyUp, k));
    }
}

TEST(MessageBox, KeyboardAnswersStartFromTheDefaultButton) {
    struct Case {
        B buttons;
        std::initializer_list<int> keys;
        A expected;
    } cases[] = {
        {B::Ok, {vk::kReturn}, A::Ok},
        {B::Ok, {vk::kEscape}, A::Ok},
        {B::YesNoCancel, {vk::kReturn}, A::Yes},
        {B::YesNoCancel, {vk::kRight, vk::kReturn}, A::No},
        {B::YesNoCancel, {vk::kRight, vk::kRight, vk::kSpace}, A::Cancel},
        {B::YesNoCancel, {vk::kLeft, vk::kReturn}, A::Cancel},  // wraps round
        {B::YesNoCancel, {vk::kEscape}, A::Cancel},
        {B::YesNo, {vk::kEscape}, A::No},
        {B::YesNo, {vk::kDown, vk::kUp, vk::kReturn}, A::Yes},
        {B::YesNoCancel, {'N'}, A::No},
    };
    for (const Case& c : cases) {
        HeadlessHost h;
        QueueKeys(h.windows, c.keys);
        EXPECT_EQ(h.windows.MessageBox("Unsaved information in session. Save now?", c.buttons), c.expected);
        ASSERT_EQ(h.trace.Lines().size(), 1u);
        EXPECT_EQ(h.trace.Lines()[0], "0 message Unsaved information in session. Save now?");
        EXPECT_FALSE(h.windows.QuitPosted());
    }
}

TEST(MessageBox, AClickOnAButtonAnswersAndInputToOtherWindowsIsRefused) {
    HeadlessHost h;
    std::vector<std::string> log;
    testing::LoggingWindow view(h.windows, log, "view");
    testing::LoggingWindow palette(h.windows, log, "palette");
    ASSERT_TRUE(view.Open({0, 0, 640, 480}));
    ASSERT_TRUE(palette.Open(Rect::FromSize(500, 0, 130, 178), WindowStyle::ToolCaption, true));
    view.SetFocus();
    h.windows.DispatchAll();
    log.clear();
    // Posted messages are still delivered inside the box's loop: the view
    // then clicks where the box shows its middle button (No).
    view.onMessage = [&](uint32_t) {
        const Rect r = h.windows.ZOrder().back()->OuterRect();
        const Point no{(r.left + r.right) / 2, r.bottom - 3 - 18 - 12};
        h.windows.QueueInput(testing::Mouse(T::LButtonDown, 5, 5));  // on the view: refused
        h.windows.QueueInput(testing::Mouse(T::LButtonDown, no.x, no.y));
        h.windows.QueueInput(testing::Mouse(T::LButtonUp, no.x, no.y));
    };
    view.Post(0x401);
    EXPECT_EQ(h.windows.MessageBox("Save now?", B::YesNoCancel), A::No);
    EXPECT_EQ(log, (std::vector<std::string>{"view message 1025"}));
    // The keyboard goes back to the view, not to the topmost window.
    EXPECT_EQ(h.windows.Focus(), &view);
}

TEST(MessageBox, ScriptedRunsTakeQueuedAnswersOrTheDefault) {
    HeadlessHost h;
    testing::FeedScript script(h.windows);
    h.windows.SetScript(&script);
    h.windows.QueueMessageBoxAnswer(A::No);
    h.windows.QueueMessageBoxAnswer(A::Cancel);  // a Yes/No box has no Cancel: the default
    h.windows.QueueMessageBoxAnswer(A::Yes);     // an OK box answers OK
    EXPECT_EQ(h.windows.MessageBox("a", B::YesNoCancel), A::No);
    EXPECT_EQ(h.windows.MessageBox("b", B::YesNo), A::Yes);
    EXPECT_EQ(h.windows.MessageBox("c", B::Ok), A::Ok);
    EXPECT_EQ(h.windows.MessageBox("d\ne", B::YesNoCancel), A::Yes);  // none left: the default
    EXPECT_EQ(h.trace.Lines(), (std::vector<std::string>{"0 message a", "0 message b", "0 message c", "0 message d e"}));
}

class FileChooserTest : public ::testing::Test {
protected:
    FileChooserTest() {
        dir = fs::temp_directory_path() / ("plinkpad-chooser-" + std::to_string(::getpid()) + "-" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir / "sub");
        std::ofstream(dir / "a.sts") << "x";
        std::ofstream(dir / "B.STS") << "x";
        std::ofstream(dir / "notes.txt") << "x";
        options.filterLabel = "Plinkpads Session: (*.sts)";
        options.filterPattern = "*.sts";
        options.defaultExtension = "sts";
        options.initialName = "*.sts";
        options.initialDirectory = dir.string();
    }
    ~FileChooserTest() override { fs::remove_all(dir); }
    void Type(const std::string& text) { h.windows.QueueInput(InputEvent{T::Text, {}, 0, text}); }

    HeadlessHost h;
    fs::path dir;
    FileDialogOptions options;
};

TEST_F(FileChooserTest, ScriptedAnswersAreReadAsTypedNames) {
    testing::FeedScript script(h.windows);
    h.windows.SetScript(&script);
    h.windows.QueueFileAnswer("mysession");
    h.windows.QueueFileAnswer(std::nullopt);
    h.windows.QueueFileAnswer("/elsewhere/x.STS");
    EXPECT_EQ(h.windows.FileDialog(options), (dir / "mysession.sts").string());
    EXPECT_EQ(h.windows.FileDialog(options), std::nullopt);
    EXPECT_EQ(h.windows.FileDialog(options), "/elsewhere/x.STS");
    EXPECT_EQ(h.windows.FileDialog(options), std::nullopt);  // nothing queued: cancelled
}

TEST_F(FileChooserTest, StartsInTheProgramsFolderElseTheUsersHome) {
    const char* was = std::getenv("HOME");
    const std::string saved = was != nullptr ? was : "";
    ::setenv("HOME", (dir / "sub").c_str(), 1);
    EXPECT_EQ(FileChooser::StartFolder(options), dir);
    options.initialDirectory.clear();
    EXPECT_EQ(FileChooser::StartFolder(options), dir / "sub");
    ::setenv("HOME", (dir / "gone").c_str(), 1);
    EXPECT_EQ(FileChooser::StartFolder(options), fs::current_path());
    if (was != nullptr)
        ::setenv("HOME", saved.c_str(), 1);
    else
        ::unsetenv("HOME");
}

TEST_F(FileChooserTest, ArrowKeysWalkTheListAndEnterTakesTheSelectedFile) {
    // List: "..", "sub", "a.sts", "B.STS" (folders first, case-insensitive order; notes.txt filtered out).
    QueueKeys(h.windows, {vk::kDown, vk::kDown, vk::kDown, vk::kReturn});
    EXPECT_EQ(h.windows.FileDialog(options), (dir / "B.STS").string());
}

TEST_F(FileChooserTest, EnterOpensAFolderAndATypedNameGetsTheDefaultExtension) {
    QueueKeys(h.windows, {vk::kDown, vk::kReturn});  // into "sub"
    Type("new");
    QueueKeys(h.windows, {vk::kReturn});
    options.save = true;
    EXPECT_EQ(h.windows.FileDialog(options), (dir / "sub" / "new.sts").string());
}

TEST_F(FileChooserTest, EscapeCancels) {
    QueueKeys(h.windows, {vk::kDown, vk::kEscape});
    EXPECT_EQ(h.windows.FileDialog(options), std::nullopt);
}

TEST_F(FileChooserTest, SavingOverAnExistingFileAsksFirst) {
    options.save = true;
    Type("a");
    QueueKeys(h.windows, {vk::kReturn, 'N'});  // asked, and refused: the chooser stays
    Type("b");                                 // the name is now "ab"
    QueueKeys(h.windows, {vk::kBack, vk::kBack});
    Type("a");
    QueueKeys(h.windows, {vk::kReturn, vk::kReturn});  // asked again; Enter takes Yes
    EXPECT_EQ(h.windows.FileDialog(options), (dir / "a.sts").string());
    EXPECT_EQ(h.trace.Lines(), (std::vector<std::string>{"0 message a.sts already exists. Replace it?",
                                                         "0 message a.sts already exists. Replace it?"}));
}

TEST(FileChooserFilter, MatchesWithoutRegardToCase) {
    EXPECT_TRUE(FileChooser::MatchesFilter("*.sts", "A.STS"));
    EXPECT_TRUE(FileChooser::MatchesFilter("*.txt;*.sts", "x.sts"));
    EXPECT_TRUE(FileChooser::MatchesFilter("s?s.*", "sts.x"));
    EXPECT_FALSE(FileChooser::MatchesFilter("*.sts", "a.sts.bak"));
    EXPECT_FALSE(FileChooser::MatchesFilter("*.sts", "asts"));
}

TEST(EditControl, TypingRespectsTheMaximumLengthAndDeletesWholeCharacters) {
    HeadlessHost h;
    std::vector<std::string> log;
    testing::LoggingWindow parent(h.windows, log, "parent");
    ASSERT_TRUE(parent.Open({0, 0, 640, 480}));
    EditControl edit(h.windows, EditStyle{true, true, false, 5});
    ASSERT_TRUE(edit.CreateChild(parent, {10, 10, 250, 30}));
    edit.SetFocus();
    struct Step {
        InputEvent e;
        const char* expected;
    } steps[] = {
        {{T::Text, {}, 0, "ab\tc"}, "abc"},  // control characters are not text
        {{T::Text, {}, 0, "d\xC3\xA9" "fg"}, "abcd\xC3\xA9"},  // cut at five characters
        {{T::KeyDown, {}, vk::kBack, {}}, "abcd"},  // a two-byte character goes whole
        {{T::KeyDown, {}, vk::kLeft, {}}, "abcd"},
        {{T::KeyDown, {}, vk::kLeft, {}}, "abcd"},
        {{T::KeyDown, {}, vk::kDelete, {}}, "abd"},
        {{T::Text, {}, 0, "X"}, "abXd"},
        {{T::KeyDown, {}, vk::kReturn, {}}, "abXd"},  // passed on to the parent
    };
    for (const Step& s : steps) {
        h.windows.QueueInput(s.e);
        h.windows.DispatchAll();
        EXPECT_EQ(edit.GetText(), s.expected);
    }
    EXPECT_EQ(log.back(), "parent keydown 13");
    edit.SetText("*.sts", true);  // a proposed name is replaced by typing
    h.windows.QueueInput(InputEvent{T::Text, {}, 0, "n"});
    h.windows.DispatchAll();
    EXPECT_EQ(edit.GetText(), "n");
}

}  // namespace
}  // namespace plat
