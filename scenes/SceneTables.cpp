#include "scenes/SceneTables.h"

#include <memory>

#include "graphics/DualMaskButton.h"
#include "graphics/HighlightButton.h"
#include "graphics/MultiUpstateButton.h"
#include "graphics/SimpleButton.h"
#include "scenes/Scene.h"

namespace {

CDIB* HitMask(const CScene& scene, const SpotSpec& s) {
    return s.sharedMask ? scene.LoadSharedMask(s.mask) : scene.LoadMask(s.mask);
}

std::unique_ptr<CDIBButton> MakeSpot(const CScene& scene, const SpotSpec& s) {
    const plat::Point at{s.x, s.y};
    switch (s.kind) {
        case SpotKind::Simple: {
            auto b = std::make_unique<CSimpleButton>(&at, s.id);
            b->SetImage(scene.LoadImage(s.up), 1);
            b->SetMask(HitMask(scene, s), 1);
            return b;
        }
        case SpotKind::Dual: {
            auto b = std::make_unique<CDualMaskButton>(&at, s.id);
            b->SetImage(scene.LoadImage(s.up), 1);
            b->SetMask(HitMask(scene, s), 1);
            b->SetAltMask(scene.LoadMask(s.altMask), 1);
            return b;
        }
        case SpotKind::Highlight: {
            auto b = std::make_unique<CHighlightButton>(&at, s.id);
            b->SetImage(scene.LoadImage(s.up), 1);
            b->SetHighlight(scene.LoadImage(s.more[0].file), s.more[0].x, s.more[0].y);
            b->SetMask(HitMask(scene, s), 1);
            return b;
        }
        case SpotKind::Multi: {
            auto b = std::make_unique<CMultiUpstateButton>(&at, s.id);
            for (const SpotPicture& p : s.more)
                if (p.file != nullptr) b->AddUpstate(scene.LoadImage(p.file), p.x, p.y, p.level);
            b->SetMask(HitMask(scene, s));
            return b;
        }
    }
    return nullptr;
}

}  // namespace

void BuildHotspots(CScene& scene, std::span<const SpotSpec> spots) {
    for (const SpotSpec& s : spots) {
        scene.m_hotspots.push_back(MakeSpot(scene, s));
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
