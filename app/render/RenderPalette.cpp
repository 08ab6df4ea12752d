#include "app/render/RenderPalette.h"

#include "app/PlinkpadView.h"
#include "recording/Session.h"
#include "scenes/Scene.h"

RenderPalette::RenderPalette(CPlinkpadView& view, CScene& scene) : view_(view), palette_(view, scene) {}

void RenderPalette::SetCompact(bool compact) {
    // The recorder turns the palette full only once its playback has ended.
    const CSession* session = view_.Session();
    if (!compact && (session == nullptr || !session->IsPlaying())) return;
    palette_.SetCompact(compact);
}

std::unique_ptr<ScenePalette> NewRenderPalette(CPlinkpadView& view, CScene& scene) {
    return std::make_unique<RenderPalette>(view, scene);
}
