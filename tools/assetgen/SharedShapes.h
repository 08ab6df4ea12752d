#pragma once
// Shapes of the masks every world shares (navigation bar, palette corner, the
// Record/Play palette's buttons), given the button's left-top corner. The
// shared mask files and every world's pictures for them are drawn from these.

#include "tools/assetgen/canvas/Shapes.h"

namespace ag {

// Navigation bar: hub and world buttons (14 x 14), the corner toggle (15 x 18).
inline constexpr int kNavButtonSize = 14;
inline constexpr int kToggleW = 15, kToggleH = 18;
inline Shape NavButtonShape(float x, float y) { return Circle(x + 7, y + 7, 6.5f); }
inline Shape ToggleShape(float x, float y) { return RoundRect(x + 0.5f, y + 0.5f, kToggleW - 1, kToggleH - 1, 4); }

// Record/Play palette, in palette-window coordinates.
inline constexpr int kRecPlayX = 32, kRecPlayY = 26, kRecPlaySize = 40;
inline Shape PlayShape() { return Circle(51, 45, 18); }
inline Shape RecordShape() { return Intersect(PlayShape(), Rect(30, 24, 21, 44)); }
inline constexpr int kTrackW = 11, kTrackH = 14;
inline Shape TrackShape(float x, float y) { return Ellipse(x + 5.5f, y + 7, 5.2f, 6.6f); }
inline constexpr int kTrackPos[6][2] = {{55, 10}, {73, 36}, {61, 62}, {31, 61}, {12, 37}, {27, 9}};
inline constexpr int kStopX = 78, kStopY = 8, kStopW = 34, kStopH = 20;
inline Shape StopShape(float x, float y) { return RoundRect(x + 0.5f, y + 0.5f, kStopW - 1, kStopH - 1, 5); }
inline constexpr int kKnobW = 19, kKnobH = 11;
inline Shape KnobShape(float x, float y) { return RoundRect(x + 0.5f, y + 0.5f, kKnobW - 1, kKnobH - 1, 3); }
inline constexpr int kPadSize = 30;
inline Shape PadShape(float x, float y) { return RoundRect(x + 1, y + 1, kPadSize - 2, kPadSize - 2, 7); }
inline constexpr int kPadX[3] = {11, 45, 79};
inline constexpr int kPadY = 110;
inline constexpr int kCompactLight[6][2] = {{10, 6}, {21, 7}, {31, 6}, {42, 7}, {53, 6}, {63, 7}};

}  // namespace ag
