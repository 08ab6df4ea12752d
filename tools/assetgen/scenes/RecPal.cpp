// The Record/Play palette's skin in each world's colours (full and compact
// faces, every button picture) and the record help picture.
#include <string>

#include "tools/assetgen/Builders.h"
#include "tools/assetgen/Folders.h"
#include "tools/assetgen/SceneKit.h"
#include "tools/assetgen/SharedShapes.h"
#include "tools/assetgen/Theme.h"

namespace ag {

namespace {

constexpr int kFullW = 120, kFullH = 148, kCompactH = 35;
const char* const kFullBack[6] = {"Cepaback.bmp", "Stpaback.bmp", "Dabkgdbw.bmp", "Kbpaback.bmp", "trbkgrnd.bmp", "Gabkgdbw.bmp"};
const char* const kCompactBack[6] = {"Cebkgd2.bmp", "Stbkgd2.bmp", "Dabkgd2.bmp", "Kbbkgd2.bmp", "trbkgd2.bmp", "Gabkgd2.bmp"};
const char* const kPadLabel[3] = {"Clear", "All", "Help"};
const Col kRed = Hex(0xE83A30), kGreen = Hex(0x3AD050);

void Tiny(Canvas& c, const char* text, float cx, float y, Col col, int px = 8) {
    const auto& f = FontOf(plat::Font::Face::SansBold, px);
    c.Text(f, text, cx - static_cast<float>(f.MeasureWidth(text)) / 2, y, col);
}

void DrawTrack(Canvas& c, const Theme& t, int i, float x, float y, bool lit) {
    const Shape s = TrackShape(x, y);
    if (lit) c.Fill(s, Radial(x + 4, y + 4, 9, Hex(0xFFFFFF), t.accent));
    else c.Fill(s, Scale(t.panelDark, 1.2f));
    c.Fill(Subtract(s, Grow(s, -1)), lit ? Hex(0xFFFFFF) : Scale(t.accent, 0.5f));
    const std::string n = std::to_string(i + 1);
    Tiny(c, n.c_str(), x + 5.5f, y + 1.5f, lit ? t.panelDark : Scale(t.text, 0.8f), 9);
}

void DrawPad(Canvas& c, const Theme& t, int i, bool lit) {
    const float x = static_cast<float>(kPadX[i]), y = kPadY;
    const Shape s = PadShape(x, y);
    Bevel(c, s, lit ? Scale(t.accent, 0.9f) : Scale(t.panel, 0.8f));
    const Col ink = lit ? Hex(0xFFFFFF) : t.text;
    const float cx = x + 15, cy = y + 11;
    if (i == 0) {
        c.Fill(Capsule(cx - 5, cy - 5, cx + 5, cy + 5, 2.4f), ink);
        c.Fill(Capsule(cx - 5, cy + 5, cx + 5, cy - 5, 2.4f), ink);
    } else if (i == 1) {
        c.Fill(Polygon({{cx - 8, cy - 5}, {cx - 1, cy}, {cx - 8, cy + 5}}), ink);
        c.Fill(Polygon({{cx, cy - 5}, {cx + 7, cy}, {cx, cy + 5}}), ink);
    } else {
        Tiny(c, "?", cx, cy - 8, ink, 13);
    }
    Tiny(c, kPadLabel[i], cx, y + 19, ink);
}

void DrawRecPlay(Canvas& c, bool recLit, bool playLit) {
    const Shape disc = PlayShape();
    const Shape left = RecordShape();
    const Shape right = Subtract(disc, left);
    c.Fill(Grow(disc, 1.5f), Hex(0x101010));
    c.Fill(left, recLit ? Radial(40, 40, 20, Hex(0xFFB0A0), kRed) : Solid(Scale(kRed, 0.45f)));
    c.Fill(right, playLit ? Radial(58, 40, 20, Hex(0xC8FFC0), kGreen) : Solid(Scale(kGreen, 0.4f)));
    c.Fill(Circle(42, 45, 5), recLit ? Hex(0xFFFFFF) : Hex(0xC86060));
    c.Fill(Polygon({{56, 39}, {64, 45}, {56, 51}}), playLit ? Hex(0xFFFFFF) : Hex(0x70C070));
}

void DrawFull(Canvas& c, const Theme& t) {
    c.Fill(Rect(0, 0, kFullW, kFullH), Linear(0, 0, Scale(t.panel, 1.2f), 120, 148, t.panelDark));
    c.Fill(Subtract(Rect(0, 0, kFullW, kFullH), Rect(2, 2, kFullW - 4, kFullH - 4)), t.accent, 0.6f);
    c.Fill(Circle(51, 45, 33), t.panelDark, 0.6f);
    c.Fill(Ring(51, 45, 30, 1), t.accent, 0.5f);
    for (int i = 0; i < 6; ++i) DrawTrack(c, t, i, kTrackPos[i][0], kTrackPos[i][1], false);
    DrawRecPlay(c, false, false);
    // Volume groove and its five steps.
    c.Fill(RoundRect(96, 24, 6, 54, 3), Hex(0x0A0A0A));
    for (int l = 1; l <= 5; ++l) c.Fill(Rect(92, 21.0f + 10.0f * static_cast<float>(l), 3, 1), t.text, 0.8f);
    Tiny(c, "vol", 99, 13, t.text);
    Tiny(c, "PLAY", 20, 57, Scale(kGreen, 0.6f));
    Tiny(c, "REC", 22, 71, Scale(kRed, 0.6f));
    c.Fill(RoundRect(6, 84, 108, 24, 4), t.panelDark);
    c.Fill(Rect(8, 86, 103, 20), Hex(0x000000));
    for (int i = 0; i < 3; ++i) DrawPad(c, t, i, false);
}

void DrawCompact(Canvas& c, const Theme& t) {
    c.Fill(Rect(0, 0, kFullW, kCompactH), Linear(0, 0, Scale(t.panel, 1.2f), 0, 35, t.panelDark));
    c.Fill(Subtract(Rect(0, 0, kFullW, kCompactH), Rect(2, 2, kFullW - 4, kCompactH - 4)), t.accent, 0.6f);
    for (int i = 0; i < 6; ++i) {
        const float x = static_cast<float>(kCompactLight[i][0]), y = static_cast<float>(kCompactLight[i][1]);
        c.Fill(Grow(TrackShape(x, y), 0.5f), Hex(0x101010));
        c.Fill(TrackShape(x, y), Scale(i % 2 ? Hex(0xFFB020) : kRed, 0.35f));
    }
    Tiny(c, "tracks", 42, 22, t.text);
    const Shape stop = StopShape(kStopX, kStopY);
    Bevel(c, stop, Scale(t.panel, 0.8f));
    Tiny(c, "STOP", kStopX + kStopW / 2.0f, kStopY + 5, Scale(t.text, 0.8f), 9);
}

}  // namespace

void BuildRecPal(Album& album, int world) {
    const Theme t = ThemeOf(world);
    const std::string folder = dir::RecPal(world);
    const std::string pre = folder + dir::RecPalPrefix(world);

    SceneKit full(album, kFullW, kFullH);
    DrawFull(full.Back(), t);
    full.SaveBackground(folder + kFullBack[world]);
    full.Picture(pre + "p01up.bmp", kRecPlayX, kRecPlayY, kRecPlaySize, kRecPlaySize, [](Canvas& c) {
        c.Fill(RecordShape(), Radial(40, 40, 20, Hex(0xFFB0A0), kRed));
        c.Fill(Circle(42, 45, 5), Hex(0xFFFFFF));
    });
    full.Picture(pre + "p02up.bmp", kRecPlayX, kRecPlayY, kRecPlaySize, kRecPlaySize, [](Canvas& c) {
        const Shape right = Subtract(PlayShape(), RecordShape());
        c.Fill(right, Radial(58, 40, 20, Hex(0xC8FFC0), kGreen));
        c.Fill(Polygon({{56, 39}, {64, 45}, {56, 51}}), Hex(0xFFFFFF));
    });
    for (int i = 0; i < 6; ++i)
        full.Picture(pre + "p0" + std::to_string(i + 3) + "up.bmp", kTrackPos[i][0], kTrackPos[i][1], kTrackW, kTrackH,
                     [&](Canvas& c) { DrawTrack(c, t, i, kTrackPos[i][0], kTrackPos[i][1], true); });
    full.Picture(pre + "p10up.bmp", 90, 46, kKnobW, kKnobH, [&](Canvas& c) {
        Bevel(c, KnobShape(90, 46), t.accent);
        c.Fill(Rect(93, 51, 13, 1), t.panelDark);
    });
    full.Picture(pre + "p11up.bmp", 10, 56, 20, 11, [&](Canvas& c) {
        c.Fill(RoundRect(10, 56, 20, 11, 3), Hex(0x083010));
        Tiny(c, "PLAY", 20, 57, Hex(0x90FF90));
    });
    full.Picture(pre + "p12up.bmp", 13, 71, 18, 10, [&](Canvas& c) {
        c.Fill(RoundRect(13, 70.5f, 18, 10, 3), Hex(0x300808));
        Tiny(c, "REC", 22, 71, Hex(0xFF9080));
    });
    for (int i = 0; i < 3; ++i)
        full.Picture(pre + "p1" + std::to_string(i + 3) + "up.bmp", kPadX[i], kPadY, kPadSize, kPadSize,
                     [&](Canvas& c) { DrawPad(c, t, i, true); });

    SceneKit compact(album, kFullW, kCompactH);
    DrawCompact(compact.Back(), t);
    compact.SaveBackground(folder + kCompactBack[world]);
    compact.Picture(pre + "p09up.bmp", kStopX, kStopY, kStopW, kStopH, [&](Canvas& c) {
        Bevel(c, StopShape(kStopX, kStopY), kRed);
        Tiny(c, "STOP", kStopX + kStopW / 2.0f, kStopY + 5, Hex(0xFFFFFF), 9);
    });
    const Col led[2] = {Hex(0xFF5040), Hex(0xFFC030)};
    for (int k = 0; k < 2; ++k) {
        const float x = static_cast<float>(kCompactLight[k][0]), y = static_cast<float>(kCompactLight[k][1]);
        compact.Picture(pre + "p1" + std::to_string(k + 6) + "up.bmp", kCompactLight[k][0], kCompactLight[k][1], kTrackW, kTrackH,
                        [&](Canvas& c) { c.Fill(TrackShape(x, y), Radial(x + 4, y + 4, 9, Hex(0xFFFFFF), led[k])); });
    }
}

void BuildRecordHelp(Album& album, int world) {
    const Theme t = ThemeOf(world);
    Canvas c(374, 382);
    c.Fill(Rect(0, 0, 374, 382), Linear(0, 0, Scale(t.panel, 1.1f), 0, 382, t.panelDark));
    c.Fill(Subtract(Rect(0, 0, 374, 382), Rect(3, 3, 368, 376)), t.accent);
    Label(c, "The Record/Play palette", 14, 10, 17, t.text, t.panelDark);
    Canvas skin(kFullW, kFullH);
    DrawFull(skin, t);
    c.Paste(skin, 14, 44);
    const char* lines[] = {
        "1-6: pick a track.",
        "Red half: record. Play in the world; your moves and keys are kept.",
        "STOP ends a recording or playback.",
        "Green half: play the track back.",
        "All: play every track; Ctrl+All plays them at random.",
        "Clear: empty the track; Ctrl+Clear empties all six.",
        "Rename a cut: type in the box, then pick another track.",
        "Slider: volume. Tab opens and closes the palette.",
    };
    float y = 44;
    for (const char* line : lines) {
        for (const std::string& part : Wrap(line, 12, 205)) {
            c.Text(FontOf(plat::Font::Face::Sans, 12), part, 148, y, t.text);
            y += 15;
        }
        y += 5;
    }
    c.Text(FontOf(plat::Font::Face::SansBold, 13), "Click anywhere to close.", 14, 352, t.accent);
    album.AddBackground(dir::RecPal(world) + dir::RecPalPrefix(world) + "rechp.bmp", c);
}

std::vector<SceneLayout> RecPalLayouts() {
    const std::string& m = dir::kRecPalMasks;
    SceneLayout full{"palette full", kFullW, kFullH, {}, {}};
    const IRect f{0, 0, kFullW, kFullH};
    full.hotspots.push_back({0, kRecPlayX, kRecPlayY, m + "p01mk.bmp", 0, f, {}, {}});
    full.hotspots.push_back({1, kRecPlayX, kRecPlayY, m + "p02mk.bmp", 0, f, {}, {}});
    for (int i = 0; i < 6; ++i)
        full.hotspots.push_back({i + 2, kTrackPos[i][0], kTrackPos[i][1], m + "p0" + std::to_string(i + 3) + "mk.bmp", 0, f, {}, {}});
    for (int i = 0; i < 3; ++i) full.hotspots.push_back({12 + i, kPadX[i], kPadY, m + "p13mk.bmp", 0, f, {}, {}});
    for (int l = 1; l <= 5; ++l) full.hotspots.push_back({9, 90, 16 + 10 * l, m + "p10mk.bmp", 10 + l, f, {}, {}});
    SceneLayout compact{"palette compact", kFullW, kCompactH, {}, {}};
    const IRect cr{0, 0, kFullW, kCompactH};
    for (int i = 0; i < 6; ++i)
        compact.hotspots.push_back({i + 2, kCompactLight[i][0], kCompactLight[i][1], m + "p03mk.bmp", 0, cr, {}, {}});
    compact.hotspots.push_back({8, kStopX, kStopY, m + "p09mk.bmp", 0, cr, {}, {}});
    return {full, compact};
}

}  // namespace ag
