#include "app/monkey/Planner.h"

#include "app/PlinkpadView.h"
#include "graphics/DIBButton.h"
#include "platform/window/Keys.h"
#include "recording/RecordPalette.h"
#include "recording/Session.h"
#include "scenes/NavBar.h"
#include "scenes/Scene.h"
#include "scenes/center/CenterScene.h"
#include "scenes/center/MenuPanel.h"

namespace monkey {

namespace {

using P = CRecordPalette;
namespace vk = plat::vk;

constexpr int kGoSpot = 10;
constexpr int kOpenSpot = 30;
constexpr int kHelpSpot = 34;
constexpr int kFirstWorldSpot = 80;  // the hub's worlds: 80, 90, .. 120
constexpr int kHelpExitRegion = 200;
constexpr int kAttempts = 8;  // plans tried before the monkey just waits

plat::Point Between(plat::Point a, plat::Point b, int i, int n) {
    return {a.x + (b.x - a.x) * i / n, a.y + (b.y - a.y) * i / n};
}

}  // namespace

Action Planner::Next() {
    Action action;
    action_ = &action;
    const std::vector<Choice> choices = Choices();
    int total = 0;
    for (const Choice& c : choices) total += c.weight;
    bool planned = false;
    for (int attempt = 0; attempt < kAttempts && !planned && total > 0; ++attempt) {
        int pick = rng_.Below(total);
        const Choice* chosen = &choices.front();
        for (const Choice& c : choices) {
            if (pick < c.weight) {
                chosen = &c;
                break;
            }
            pick -= c.weight;
        }
        action = Action{};
        action.kind = chosen->kind;
        ActionWriter w(action);
        planned = (this->*chosen->plan)(w);
    }
    if (!planned) {
        action = Action{};
        action.kind = "wait";
    }
    ActionWriter(action).Wait(Pause());
    action_ = nullptr;
    return action;
}

std::vector<Planner::Choice> Planner::Choices() const {
    std::vector<Choice> out;
    if (sight_.Modal()) return {{"close dialog", 1, &Planner::CloseDialog}};
    CScene* scene = sight_.Scene();
    if (scene == nullptr) return {{"move", 1, &Planner::Move}};
    CSession* session = sight_.Session();
    const bool playing = session != nullptr && session->IsPlaying();
    const bool busy = playing || (session != nullptr && session->IsRecording());
    if (CCenterScene* hub = sight_.Hub(); hub != nullptr && hub->m_bHelpShown) {
        out = {{"help hover", 8, &Planner::HelpHover}, {"help exit", 4, &Planner::HelpExit}};
        AddPointerAndKeys(out, 1);
        return out;
    }
    if (playing) {
        out = {{"stop", 4, &Planner::Stop}, {"wait", 6, &Planner::Idle}};
        AddPointerAndKeys(out, 1);
        return out;
    }
    AddPointerAndKeys(out, 3);
    if (sight_.Hub() != nullptr) {
        out.push_back({"travel", 8, &Planner::Travel});
        out.push_back({"choose world", 2, &Planner::ChooseWorld});
        out.push_back({"menu", 5, &Planner::Menu});
        out.push_back({"help screen", 1, &Planner::HelpScreen});
    } else if (!busy) {
        out.push_back({"nav", 8, &Planner::Nav});
        out.push_back({"nav toggle", 2, &Planner::NavToggle});
    }
    if (sight_.Palette() != nullptr) {
        AddPalette(out);
    } else {
        out.push_back({"open palette", 6, &Planner::Tab});
    }
    out.push_back({"new session", 1, &Planner::NewSession});
    out.push_back({"open session", 2, &Planner::OpenSession});
    out.push_back({"save session", 2, &Planner::SaveSession});
    return out;
}

void Planner::AddPointerAndKeys(std::vector<Choice>& out, int scale) const {
    const Choice pointer[] = {
        {"move", 2, &Planner::Move},          {"sweep", 2, &Planner::Sweep},
        {"hover", 4, &Planner::Hover},        {"click hot-spot", 4, &Planner::ClickSpot},
        {"ctrl+click", 1, &Planner::CtrlClickSpot}, {"click stage", 1, &Planner::ClickStage},
        {"drag", 1, &Planner::Drag},          {"letter", 2, &Planner::LetterKey},
        {"shift+letter", 1, &Planner::ShiftLetter},
    };
    for (Choice c : pointer) {
        c.weight *= scale;
        out.push_back(c);
    }
    const Choice keys[] = {
        {"ctrl+letter", 1, &Planner::CtrlLetter}, {"tab", 1, &Planner::Tab},   {"help key", 1, &Planner::HelpKey},
        {"mute", 1, &Planner::Mute},              {"delete", 1, &Planner::Erase},
    };
    out.insert(out.end(), std::begin(keys), std::end(keys));
}

void Planner::AddPalette(std::vector<Choice>& out) const {
    // Playing is worth more once there is something to play.
    CSession* session = sight_.Session();
    int cuts = 0;
    for (int t = 0; session != nullptr && t < kTrackCount; ++t) cuts += session->GetCut(t) != nullptr ? 1 : 0;
    const int play = cuts > 0 ? 3 : 1;
    const Choice palette[] = {
        {"select track", 4, &Planner::SelectTrack}, {"record", 6 - play, &Planner::Record},
        {"stop", 3, &Planner::Stop},                {"play", 2 * play, &Planner::Play},
        {"play all", play, &Planner::PlayAll},      {"random play all", play, &Planner::RandomPlayAll},
        {"clear cut", 2, &Planner::Clear},          {"clear all", 1, &Planner::ClearAll},
        {"record help", 1, &Planner::RecordHelp},   {"volume", 2, &Planner::Volume},
        {"rename", 2, &Planner::Rename},            {"drag palette", 1, &Planner::DragPalette},
    };
    out.insert(out.end(), std::begin(palette), std::end(palette));
}

uint32_t Planner::Pause() {
    const int roll = rng_.Below(100);
    if (roll < 70) return static_cast<uint32_t>(rng_.Range(20, 300));
    if (roll < 95) return static_cast<uint32_t>(rng_.Range(300, 2000));
    return static_cast<uint32_t>(rng_.Range(2000, 8000));
}

// --- Aiming ---

std::optional<plat::Point> Planner::AnySpot() {
    CScene* scene = sight_.Scene();
    if (scene == nullptr || scene->m_hotspots.empty()) return std::nullopt;
    return sight_.InSpot(scene->m_hotspots[static_cast<size_t>(rng_.Below(static_cast<int>(scene->m_hotspots.size())))].get());
}

std::optional<plat::Point> Planner::Spot(int id) {
    CScene* scene = sight_.Scene();
    return scene != nullptr ? sight_.InSpot(scene->FindHotspot(id)) : std::nullopt;
}

std::optional<plat::Point> Planner::NavControl(int id) {
    CScene* scene = sight_.Scene();
    return scene != nullptr && scene->m_pNavBar ? sight_.InSpot(scene->m_pNavBar->Control(id)) : std::nullopt;
}

bool Planner::SafeClick(ActionWriter& w, std::optional<plat::Point> p) {
    if (!p || sight_.QuitsAt(*p)) return false;
    w.Click(*p);
    return true;
}

bool Planner::WithCtrl(ActionWriter& w, std::optional<plat::Point> p) {
    if (!p || sight_.QuitsAt(*p)) return false;
    w.KeyDown(vk::kControl);
    w.Click(*p);
    w.KeyUp(vk::kControl);
    return true;
}

int Planner::Letter(bool commandsToo) {
    for (;;) {
        const int key = vk::kA + rng_.Below(26);
        if (key == 'Q') continue;  // Ctrl+Q would end the run
        if (!commandsToo && (key == 'N' || key == 'O' || key == 'S' || key == 'H')) continue;
        return key;
    }
}

// --- Pointer and keys ---

bool Planner::Move(ActionWriter& w) {
    w.Move(rng_.Chance(30) ? sight_.OnScreen() : sight_.OnStage());
    return true;
}

bool Planner::Sweep(ActionWriter& w) {
    const plat::Point a = sight_.OnStage(), b = sight_.OnStage();
    const int n = rng_.Chance(5) ? 60 : rng_.Range(4, 24);
    for (int i = 0; i <= n; ++i) {
        w.Move(Between(a, b, i, n));
        w.Wait(static_cast<uint32_t>(rng_.Range(5, 40)));
    }
    return true;
}

bool Planner::Hover(ActionWriter& w) {
    const std::optional<plat::Point> p = AnySpot();
    if (!p) return false;
    w.Move(*p);
    return true;
}

bool Planner::ClickSpot(ActionWriter& w) { return SafeClick(w, AnySpot()); }

bool Planner::CtrlClickSpot(ActionWriter& w) { return WithCtrl(w, AnySpot()); }

bool Planner::ClickStage(ActionWriter& w) { return SafeClick(w, sight_.OnStage()); }

bool Planner::Drag(ActionWriter& w) {
    const std::optional<plat::Point> from = rng_.Chance(50) ? AnySpot() : sight_.OnStage();
    const plat::Point to = sight_.OnStage();
    if (!from || sight_.QuitsAt(to)) return false;
    w.Move(*from);
    w.Down(*from);
    const int n = rng_.Range(1, 8);
    for (int i = 1; i <= n; ++i) {
        w.Move(Between(*from, to, i, n));
        w.Wait(static_cast<uint32_t>(rng_.Range(10, 80)));
    }
    w.Up(to);
    return true;
}

bool Planner::LetterKey(ActionWriter& w) {
    w.Key(Letter(true));
    return true;
}

bool Planner::ShiftLetter(ActionWriter& w) {
    // Shift+letter binds the letter to the hot-spot the pointer entered last.
    if (rng_.Chance(50))
        if (std::optional<plat::Point> p = AnySpot()) w.Move(*p);
    w.KeyDown(vk::kShift);
    w.Key(Letter(true));
    w.KeyUp(vk::kShift);
    return true;
}

bool Planner::CtrlLetter(ActionWriter& w) {
    w.KeyDown(vk::kControl);
    w.Key(Letter(false));
    w.KeyUp(vk::kControl);
    return true;
}

bool Planner::Tab(ActionWriter& w) {
    w.Key(vk::kTab);
    return true;
}

bool Planner::HelpKey(ActionWriter& w) {
    if (rng_.Chance(70)) {
        w.Key(vk::kHelp);
    } else {
        w.KeyDown(vk::kControl);
        w.Key('H');
        w.KeyUp(vk::kControl);
    }
    return true;
}

bool Planner::Mute(ActionWriter& w) {
    w.KeyDown(vk::kShift);
    w.Key(vk::k0 + 1);
    w.KeyUp(vk::kShift);
    return true;
}

bool Planner::Erase(ActionWriter& w) {
    w.Key(rng_.Chance(50) ? vk::kDelete : vk::kBack);
    return true;
}

bool Planner::Idle(ActionWriter& w) {
    w.Wait(static_cast<uint32_t>(rng_.Range(500, 6000)));
    return true;
}

// --- Worlds and the hub ---

bool Planner::Nav(ActionWriter& w) {
    CScene* scene = sight_.Scene();
    if (scene == nullptr || !scene->m_pNavBar) return false;
    const std::optional<plat::Point> toggle = NavControl(0), button = NavControl(rng_.Range(1, 6));
    if (!toggle || !button) return false;
    if (!scene->m_pNavBar->m_bOpen) {
        w.Move(*toggle);
        w.Click(*toggle);
    }
    w.Move(*button);
    w.Click(*button);
    return true;
}

bool Planner::NavToggle(ActionWriter& w) {
    const std::optional<plat::Point> toggle = NavControl(0);
    if (!toggle) return false;
    w.Move(*toggle);
    if (rng_.Chance(70)) w.Click(*toggle);
    return true;
}

bool Planner::Travel(ActionWriter& w) {
    const std::optional<plat::Point> world = Spot(kFirstWorldSpot + 10 * rng_.Below(5)), go = Spot(kGoSpot);
    if (!world || !go) return false;
    w.Click(*world);
    w.Wait(static_cast<uint32_t>(rng_.Range(50, 800)));
    w.Click(*go);
    return true;
}

bool Planner::ChooseWorld(ActionWriter& w) { return SafeClick(w, Spot(kFirstWorldSpot + 10 * rng_.Below(5))); }

bool Planner::MenuEntry(ActionWriter& w, int code) {
    CCenterScene* hub = sight_.Hub();
    if (hub == nullptr || !hub->m_pMenuPanel) return false;
    CMenuPanel& menu = *hub->m_pMenuPanel;
    for (const auto& group : menu.m_groups)
        for (const auto& entry : group->entries) {
            if (entry->m_nId != code) continue;
            const std::optional<plat::Point> strip = sight_.InSpot(&menu.m_strip);
            const std::optional<plat::Point> heading = sight_.InSpot(group->heading.get());
            const std::optional<plat::Point> at = sight_.InSpot(entry.get());
            if (!strip || !heading || !at || sight_.QuitsAt(*at)) return false;
            w.Move(*strip);
            w.Move(*heading);
            w.Down(*heading);
            w.Move(*at);
            w.Up(*at);
            return true;
        }
    return false;
}

bool Planner::Menu(ActionWriter& w) {
    // About, and the five volume levels; the file commands are the session plans.
    const int codes[] = {10, 10, 1, 2, 3, 4, 5};
    return MenuEntry(w, codes[rng_.Below(7)]);
}

bool Planner::HelpScreen(ActionWriter& w) { return SafeClick(w, Spot(kHelpSpot)); }

bool Planner::HelpHover(ActionWriter& w) {
    CCenterScene* hub = sight_.Hub();
    if (hub == nullptr || hub->m_helpHotspots.empty()) return false;
    const auto& regions = hub->m_helpHotspots;
    const std::optional<plat::Point> p = sight_.InSpot(regions[static_cast<size_t>(rng_.Below(static_cast<int>(regions.size())))].get());
    if (!p) return false;
    if (rng_.Chance(20)) {
        w.Click(*p);
    } else {
        w.Move(*p);
    }
    return true;
}

bool Planner::HelpExit(ActionWriter& w) {
    CCenterScene* hub = sight_.Hub();
    if (hub == nullptr) return false;
    for (const auto& region : hub->m_helpHotspots)
        if (region->m_nId == kHelpExitRegion) return SafeClick(w, sight_.InSpot(region.get()));
    return false;
}

bool Planner::CloseDialog(ActionWriter& w) {
    // The pointer is held inside the dialog, so any point lands in it.
    if (rng_.Chance(85)) {
        w.Click(sight_.OnScreen());
    } else {
        w.Move(sight_.OnScreen());
    }
    return true;
}

// --- The palette ---

bool Planner::SelectTrack(ActionWriter& w) { return SafeClick(w, sight_.PaletteControl(rng_.Range(2, 7))); }
bool Planner::Stop(ActionWriter& w) { return SafeClick(w, sight_.PaletteControl(P::kStopId)); }
bool Planner::PlayAll(ActionWriter& w) { return SafeClick(w, sight_.PaletteControl(P::kPlayAllId)); }
bool Planner::Clear(ActionWriter& w) { return SafeClick(w, sight_.PaletteControl(P::kClearCutId)); }
bool Planner::RecordHelp(ActionWriter& w) { return SafeClick(w, sight_.PaletteControl(P::kHelpId)); }
bool Planner::Volume(ActionWriter& w) { return SafeClick(w, sight_.PaletteVolume(rng_.Range(1, 5))); }

int Planner::SelectedTrack() const {
    CRecordPalette* palette = sight_.Palette();
    return palette != nullptr && palette->Selected() != nullptr ? palette->Selected()->m_nId - P::kFirstTrackId : -1;
}

int Planner::TrackWithCut() {
    CSession* session = sight_.Session();
    std::vector<int> full;
    for (int t = 0; session != nullptr && t < kTrackCount; ++t)
        if (session->GetCut(t) != nullptr) full.push_back(t);
    return full.empty() ? -1 : full[static_cast<size_t>(rng_.Below(static_cast<int>(full.size())))];
}

bool Planner::Choose(ActionWriter& w, int track) {
    // A person picks the track first when the palette would refuse otherwise.
    if (track < 0 || track == SelectedTrack()) return true;
    return SafeClick(w, sight_.PaletteControl(P::kFirstTrackId + track));
}

bool Planner::Record(ActionWriter& w) {
    if (SelectedTrack() < 0 && rng_.Chance(80) && !Choose(w, rng_.Below(kTrackCount))) return false;
    return SafeClick(w, sight_.PaletteControl(P::kRecordId));
}

bool Planner::Play(ActionWriter& w) {
    const int selected = SelectedTrack();
    CSession* session = sight_.Session();
    const bool playable = selected >= 0 && session != nullptr && session->GetCut(selected) != nullptr;
    if (!playable && rng_.Chance(80) && !Choose(w, TrackWithCut())) return false;
    return SafeClick(w, sight_.PaletteControl(P::kPlayId));
}

bool Planner::RandomPlayAll(ActionWriter& w) {
    // Ctrl counts wherever the keys are; sometimes a press on the caption
    // gives them to the palette first.
    if (rng_.Chance(50)) SafeClick(w, sight_.PaletteCaption());
    return WithCtrl(w, sight_.PaletteControl(P::kPlayAllId));
}

bool Planner::ClearAll(ActionWriter& w) {
    if (rng_.Chance(50)) SafeClick(w, sight_.PaletteCaption());
    return WithCtrl(w, sight_.PaletteControl(P::kClearCutId));
}

bool Planner::Rename(ActionWriter& w) {
    // The name typed into the box goes to the selected track's cut when
    // another track is chosen.
    const int named = TrackWithCut();
    if (!Choose(w, named)) return false;
    const std::optional<plat::Point> box = sight_.PaletteNameBox();
    const std::optional<plat::Point> next = sight_.PaletteControl(P::kFirstTrackId + (named + rng_.Range(1, 5)) % kTrackCount);
    if (!box || !next) return false;
    static const char kChars[] = "abcdefghijklmnopqrstuvwxyz0123456789 .-";
    std::string name;
    const int length = rng_.Chance(10) ? 40 : rng_.Range(1, 12);
    for (int i = 0; i < length; ++i) name += kChars[rng_.Below(static_cast<int>(sizeof kChars) - 1)];
    if (name.front() == ' ') name.front() = 'x';  // the script trims the text
    if (name.back() == ' ') name.back() = 'x';
    w.Click(*box);
    w.Type(name);
    w.Click(*next);
    return true;
}

bool Planner::DragPalette(ActionWriter& w) {
    const std::optional<plat::Point> from = sight_.PaletteCaption();
    if (!from) return false;
    const plat::Point to{from->x + rng_.Range(-200, 300), from->y + rng_.Range(-40, 250)};
    w.Move(*from);
    w.Down(*from);
    w.Move(Between(*from, to, 1, 2));
    w.Move(to);
    w.Up(to);
    return true;
}

// --- Session commands ---

bool Planner::NewSession(ActionWriter& w) {
    action_->session = Action::Session::New;
    if (sight_.Hub() != nullptr && rng_.Chance(40)) return MenuEntry(w, 20);
    w.KeyDown(vk::kControl);
    w.Key('N');
    w.KeyUp(vk::kControl);
    return true;
}

bool Planner::OpenSession(ActionWriter& w) {
    action_->session = Action::Session::Open;
    if (sight_.Hub() != nullptr) {
        const int way = rng_.Below(3);
        if (way == 0) return MenuEntry(w, 30);
        if (way == 1) return SafeClick(w, Spot(kOpenSpot));
    }
    w.KeyDown(vk::kControl);
    w.Key('O');
    w.KeyUp(vk::kControl);
    return true;
}

bool Planner::SaveSession(ActionWriter& w) {
    action_->session = Action::Session::Save;
    if (sight_.Hub() != nullptr && rng_.Chance(40)) return MenuEntry(w, rng_.Chance(50) ? 40 : 50);
    w.KeyDown(vk::kControl);
    w.Key('S');
    w.KeyUp(vk::kControl);
    return true;
}

}  // namespace monkey
