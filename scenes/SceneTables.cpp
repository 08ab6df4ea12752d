#include "scenes/SceneTables.h"

#include <cstring>
#include <memory>

#include "graphics/DualMaskButton.h"
#include "graphics/HighlightButton.h"
#include "graphics/MultiUpstateButton.h"
#include "graphics/SimpleButton.h"
#include "graphics/ThreeImageButton.h"
#include "scenes/NavBar.h"
#include "scenes/Scene.h"

namespace {

const SharedPicture* FindShared(std::span<const SharedPicture> shared, const char* file) {
    for (const SharedPicture& p : shared)
        if (std::strcmp(p.file, file) == 0) return &p;
    return nullptr;
}

CDIB* LoadSpotMask(const CScene& scene, const SpotSpec& s) {
    return s.sharedMask ? scene.LoadSharedMask(s.mask) : scene.LoadMask(s.mask);
}

}  // namespace

std::unique_ptr<CDIBButton> MakeHotspot(const CScene& scene, const SpotSpec& s, std::span<const SharedPicture> shared) {
    const plat::Point at{s.x, s.y};
    switch (s.kind) {
        case SpotKind::Simple: {
            auto b = std::make_unique<CSimpleButton>(&at, s.id);
            b->SetImage(scene.LoadImage(s.up), 1);
            b->SetMask(LoadSpotMask(scene, s), 1);
            return b;
        }
        case SpotKind::Dual: {
            auto b = std::make_unique<CDualMaskButton>(&at, s.id);
            b->SetImage(scene.LoadImage(s.up), 1);
            b->SetMask(LoadSpotMask(scene, s), 1);
            b->SetAltMask(scene.LoadMask(s.altMask), 1);
            return b;
        }
        case SpotKind::Highlight: {
            auto b = std::make_unique<CHighlightButton>(&at, s.id);
            b->SetImage(scene.LoadImage(s.up), 1);
            const SpotPicture& h = s.more[0];
            // A shared picture that failed to load was reported once, when
            // the scene loaded it: the hot-spot then shows no highlight.
            if (const SharedPicture* p = FindShared(shared, h.file))
                b->SetHighlightBitmap(p->bitmap, h.x, h.y);
            else
                b->SetHighlight(scene.LoadImage(h.file), h.x, h.y);
            b->SetMask(LoadSpotMask(scene, s), 1);
            return b;
        }
        case SpotKind::Multi: {
            auto b = std::make_unique<CMultiUpstateButton>(&at, s.id);
            for (const SpotPicture& p : s.more)
                if (p.file != nullptr) b->AddUpstate(scene.LoadImage(p.file), p.x, p.y, p.level);
            b->SetMask(LoadSpotMask(scene, s));
            return b;
        }
        case SpotKind::ThreeImage: {
            auto b = std::make_unique<CThreeImageButton>(&at, s.id, 1);
            for (int slot = 1; slot <= 3; ++slot)
                if (const char* file = s.more[slot - 1].file) b->SetImage(slot, scene.LoadImage(file));
            b->SetMask(LoadSpotMask(scene, s));
            return b;
        }
    }
    return nullptr;
}

void BuildHotspots(CScene& scene, std::span<const SpotSpec> spots, std::span<const SharedPicture> shared) {
    for (const SpotSpec& s : spots) {
        scene.m_hotspots.push_back(MakeHotspot(scene, s, shared));
        scene.ToggleWaitCursor();
    }
}

void LoadSounds(CScene& scene, std::span<const SoundSpec> sounds) {
    for (const SoundSpec& s : sounds) {
        scene.LoadSound(s.id, s.file, s.pan, s.random);
        scene.ToggleWaitCursor();
    }
}

void RegisterLoops(CScene& scene, std::span<const LoopSpec> loops) {
    for (const LoopSpec& l : loops) scene.AddLoop(l.file, l.id, l.pan);
    scene.ToggleWaitCursor();
}
