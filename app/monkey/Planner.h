#pragma once
// Chooses what the monkey does next from what the program shows: random but
// plausible input for the scene at hand (roll-overs, sweeps, clicks, drags,
// letters with and without Shift and Ctrl, Tab, Help), the hub's worlds,
// menu, About box and help screen, a world's navigation bar, the palette's
// controls and the session commands. It never asks the program to quit.
// Window thread only.

#include <vector>

#include "app/monkey/Action.h"
#include "app/monkey/Rng.h"
#include "app/monkey/Sight.h"

namespace monkey {

class Planner {
public:
    Planner(Sight& sight, Rng& rng) : sight_(sight), rng_(rng) {}

    // The next action, ending with the monkey's pause before the one after.
    Action Next();

private:
    using Plan = bool (Planner::*)(ActionWriter&);
    struct Choice {
        const char* kind;
        int weight;
        Plan plan;
    };

    std::vector<Choice> Choices() const;
    void AddPointerAndKeys(std::vector<Choice>& out, int scale) const;
    void AddPalette(std::vector<Choice>& out) const;
    uint32_t Pause();

    // A random hot-spot of the current scene (a point its hit test takes).
    std::optional<plat::Point> AnySpot();
    std::optional<plat::Point> Spot(int id);
    std::optional<plat::Point> NavControl(int id);
    // Clicks p unless that would end the program.
    bool SafeClick(ActionWriter& w, std::optional<plat::Point> p);
    bool WithCtrl(ActionWriter& w, std::optional<plat::Point> p);
    bool MenuEntry(ActionWriter& w, int code);
    int Letter(bool commandsToo);
    // The palette's selected track 0..5, or -1.
    int SelectedTrack() const;
    // A random track holding a cut, or -1.
    int TrackWithCut();
    // Clicks `track`'s button unless it is selected already (or -1).
    bool Choose(ActionWriter& w, int track);

    // The plans. Each returns false when it does not apply now.
    bool Move(ActionWriter& w);
    bool Sweep(ActionWriter& w);
    bool Hover(ActionWriter& w);
    bool ClickSpot(ActionWriter& w);
    bool CtrlClickSpot(ActionWriter& w);
    bool ClickStage(ActionWriter& w);
    bool Drag(ActionWriter& w);
    bool LetterKey(ActionWriter& w);
    bool ShiftLetter(ActionWriter& w);
    bool CtrlLetter(ActionWriter& w);
    bool Tab(ActionWriter& w);
    bool HelpKey(ActionWriter& w);
    bool Mute(ActionWriter& w);
    bool Erase(ActionWriter& w);
    bool Idle(ActionWriter& w);
    bool Nav(ActionWriter& w);
    bool NavToggle(ActionWriter& w);
    bool Travel(ActionWriter& w);
    bool ChooseWorld(ActionWriter& w);
    bool Menu(ActionWriter& w);
    bool HelpScreen(ActionWriter& w);
    bool HelpHover(ActionWriter& w);
    bool HelpExit(ActionWriter& w);
    bool CloseDialog(ActionWriter& w);
    bool SelectTrack(ActionWriter& w);
    bool Record(ActionWriter& w);
    bool Stop(ActionWriter& w);
    bool Play(ActionWriter& w);
    bool PlayAll(ActionWriter& w);
    bool RandomPlayAll(ActionWriter& w);
    bool Clear(ActionWriter& w);
    bool ClearAll(ActionWriter& w);
    bool RecordHelp(ActionWriter& w);
    bool Volume(ActionWriter& w);
    bool Rename(ActionWriter& w);
    bool DragPalette(ActionWriter& w);
    bool NewSession(ActionWriter& w);
    bool OpenSession(ActionWriter& w);
    bool SaveSession(ActionWriter& w);

    Sight& sight_;
    Rng& rng_;
    Action* action_ = nullptr;  // the action being planned
};

}  // namespace monkey
