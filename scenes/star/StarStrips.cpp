#include "scenes/star/StarStrips.h"

#include <initializer_list>

#include "graphics/SimpleButton.h"
#include "platform/Host.h"
#include "scenes/Scene.h"

namespace {

// A set of strips: bit i is strip i.
constexpr unsigned Set(std::initializer_list<int> strips) {
    unsigned set = 0;
    for (int i : strips) set |= 1u << i;
    return set;
}
constexpr unsigned kEvery = (1u << CStarStrips::kCount) - 1;

// How a click flashes the strips besides the extra ones.
enum class Click {
    WithEntry,        // the entry set and the extras together
    WithEntryAndAlt,  // the entry and alternate sets and the extras together
    ExtrasOnly,
};

struct Pattern {
    int id;
    unsigned entry, alt, exit, extra;
    Click click;
};

constexpr Pattern kPatterns[] = {
    {100, Set({0, 1, 2}), Set({0, 2}), Set({1}), Set({5, 15}), Click::WithEntry},
    {110, Set({5, 6}), Set({2, 9}), Set({3, 8}), Set({3, 8}), Click::WithEntry},
    {120, Set({9, 10, 11}), Set({9, 11}), Set({10}), Set({6, 14}), Click::WithEntry},
    {130, Set({14, 15}), Set({0, 11}), Set({12, 17}), Set({12, 17}), Click::WithEntry},
    {140, Set({0, 2, 9, 11}), Set({1, 10}), 0, Set({0, 1, 2, 5, 6, 9, 10, 11, 14, 15}), Click::ExtrasOnly},
    {200, Set({4}), Set({3}), Set({5}), Set({5}), Click::WithEntryAndAlt},
    {210, Set({7}), Set({8}), Set({6}), Set({6}), Click::WithEntryAndAlt},
    {220, Set({13}), Set({12}), Set({14}), Set({14}), Click::WithEntryAndAlt},
    {230, Set({16}), Set({17}), Set({15}), Set({15}), Click::WithEntryAndAlt},
    {240, Set({2}), 0, 0, Set({2, 5}), Click::ExtrasOnly},
    {250, Set({9}), 0, 0, Set({6, 9}), Click::ExtrasOnly},
    {260, Set({11}), 0, 0, Set({11, 14}), Click::ExtrasOnly},
    {270, Set({0}), 0, 0, Set({0, 15}), Click::ExtrasOnly},
    {300, kEvery & ~Set({4, 7}), Set({12, 17}), Set({14, 15}), Set({14, 15}), Click::WithEntry},
    {301, Set({13, 16}), 0, 0, 0, Click::ExtrasOnly},
    {310, kEvery & ~Set({13, 16}), Set({3, 8}), Set({5, 6}), Set({5, 6}), Click::WithEntry},
    {311, Set({4, 7}), 0, 0, 0, Click::ExtrasOnly},
};

constexpr Pattern kNone{0, 0, 0, 0, 0, Click::ExtrasOnly};

const Pattern& PatternOf(int id) {
    for (const Pattern& p : kPatterns)
        if (p.id == id) return p;
    return kNone;
}

struct Placed {
    const char* file;
    int x, y;
};

constexpr Placed kPictures[CStarStrips::kCount] = {
    {"Sts01.bmp", 252, 48},     {"Sts02_03.bmp", 277, 11},  {"Sts04.bmp", 340, 66},     {"Sts05_06.bmp", 393, 66},
    {"Sts07_09.bmp", 499, 80},  {"Sts10_11.bmp", 377, 176}, {"Sts12_13.bmp", 390, 244}, {"Sts14_16.bmp", 494, 299},
    {"Sts17_18.bmp", 400, 322}, {"Sts19.bmp", 326, 326},    {"Sts20_21.bmp", 276, 367}, {"Sts22.bmp", 247, 326},
    {"Sts23_24.bmp", 170, 320}, {"Sts25_27.bmp", 30, 300},  {"Sts28_29.bmp", 182, 245}, {"Sts30_31.bmp", 183, 171},
    {"Sts32_34.bmp", 34, 77},   {"Sts35_36.bmp", 182, 77},
};

}  // namespace

CStarStrips::CStarStrips(plat::Window& view) : m_view(view) {}

CStarStrips::~CStarStrips() = default;

void CStarStrips::Load(const CScene& scene) {
    for (int i = 0; i < kCount; ++i) {
        const plat::Point at{kPictures[i].x, kPictures[i].y};
        m_strips[size_t(i)] = std::make_unique<CSimpleButton>(&at, i);
        m_strips[size_t(i)]->SetImage(scene.LoadImage(kPictures[i].file), 1);
    }
}

void CStarStrips::PressStrip(int i) {
    CSimpleButton* strip = m_strips[size_t(i)].get();
    if (strip == nullptr) return;
    const int was = strip->m_bLit;
    strip->Press(m_view);
    if (!was) plat::TraceLine("star strip lit %d", i);
}

void CStarStrips::ReleaseStrip(int i) {
    CSimpleButton* strip = m_strips[size_t(i)].get();
    if (strip == nullptr || !strip->m_bLit) return;
    strip->Release(m_view);
    plat::TraceLine("star strip unlit %d", i);
}

void CStarStrips::Press(unsigned set) {
    for (int i = 0; i < kCount; ++i)
        if (set & (1u << i)) PressStrip(i);
}

void CStarStrips::Release(unsigned set) {
    for (int i = 0; i < kCount; ++i)
        if (set & (1u << i)) ReleaseStrip(i);
}

void CStarStrips::ShowStrips(int id) { Press(PatternOf(id).entry); }
void CStarStrips::HideStrips(int id) { Release(PatternOf(id).entry); }
void CStarStrips::ShowAltStrips(int id) { Press(PatternOf(id).alt); }
void CStarStrips::HideAltStrips(int id) { Release(PatternOf(id).alt); }

void CStarStrips::FlashExitStrips(int id) {
    const unsigned set = PatternOf(id).exit;
    Press(set);
    Release(set);
}

void CStarStrips::FlashClickStrips(int id) {
    const Pattern& p = PatternOf(id);
    const unsigned entry = p.click == Click::ExtrasOnly ? 0 : p.entry;
    const unsigned alt = p.click == Click::WithEntryAndAlt ? p.alt : 0;
    Press(entry);
    Press(alt);
    Press(p.extra);
    Release(entry);
    Release(alt);
    Release(p.extra);
}
