#pragma once
// One builder per scene or shared piece; each draws into the album of the
// world whose palette its pictures use.

#include "tools/assetgen/Album.h"
#include "tools/assetgen/Layout.h"
#include "tools/assetgen/canvas/Canvas.h"

namespace ag {

void BuildStartup(Album& album);
void BuildCenter(Album& album);
void BuildHelp(Album& album);
void BuildMenu(Album& album);
void BuildAbout(Album& album);
void BuildRecPal(Album& album, int world);
void BuildRecordHelp(Album& album, int world);
// The world's navigation bar pictures; `back` is the world's finished background.
void BuildNavBar(Album& album, int world, const Canvas& back);
// The corner badge (navigation toggle, palette corner) at rest or lit.
void DrawCornerBadge(Canvas& c, int world, float x, float y, bool lit);
// The sun shown beside the palette corner when it lights.
void DrawSun(Canvas& c, float cx, float cy, float r);
void BuildSharedMasks(Album& album);
void BuildTroid(Album& album);
void BuildStar(Album& album);
void BuildKBot(Album& album);
void BuildGama(Album& album);
void BuildDay(Album& album);

// A world's emblem inside a circle (hub portals, record help), bright 0..1.
void DrawWorldEmblem(Canvas& c, int world, float cx, float cy, float r, float bright, int variant);

SceneLayout CenterLayout();
SceneLayout HelpLayout();
SceneLayout MenuLayout();
std::vector<SceneLayout> RecPalLayouts();
std::vector<SceneLayout> NavBarLayouts();
SceneLayout TroidLayout();
SceneLayout StarLayout();
SceneLayout KBotLayout();
SceneLayout GamaLayout();
SceneLayout DayLayout();

}  // namespace ag
