#pragma once
// The Record/Play palette of a render: the program's own palette in every
// respect but one. When a playback ends the program turns the palette full
// again, which stops the scene's background loop at once and sounds the
// palette; a render ends there instead, and its loops fade out. Window
// thread only.

#include <memory>
#include <string>

#include "recording/RecordPalette.h"
#include "recording/ScenePalette.h"

class CPlinkpadView;
class CScene;

class RenderPalette final : public ScenePalette {
public:
    RenderPalette(CPlinkpadView& view, CScene& scene);

    // The palette itself, for finding its buttons.
    CRecordPalette& Palette() { return palette_; }

    bool Open() override { return palette_.Open(); }
    void RecordEvent(int kind, int a, int b) override { palette_.RecordEvent(kind, a, b); }
    void Close() override { palette_.Close(); }
    void ReselectCut() override { palette_.ReselectCut(); }
    void SetVolumeKnob(int level) override { palette_.SetVolumeKnob(level); }
    plat::Window& TimerWindow() override { return palette_.TimerWindow(); }
    int World() const override { return palette_.World(); }
    std::string CutNameText() const override { return palette_.CutNameText(); }
    void LightTrack(int track) override { palette_.LightTrack(track); }
    void ShowStop() override { palette_.ShowStop(); }
    // Passed on, except turning full once no playback runs.
    void SetCompact(bool compact) override;

private:
    CPlinkpadView& view_;
    CRecordPalette palette_;
};

// The palette factory of a render's view.
std::unique_ptr<ScenePalette> NewRenderPalette(CPlinkpadView& view, CScene& scene);
