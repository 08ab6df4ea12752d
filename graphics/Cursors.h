#pragma once
// The program's seven pointer pictures, drawn from small character pictures
// at first use. Kinds, as the scenes use them: 1 the default arrow, 2 a
// pointing hand over a hot-spot, 3 a marked hand over a world's special
// control, 4 and 5 the two alternating busy pictures shown while a scene
// loads, 6 a "go" pointer, 7 the pointer over the Record/Play palette.

#include "platform/window/Cursor.h"

inline constexpr int kCursorKinds = 7;

// The picture of cursor `kind` (1..7); the reference stays valid for the
// whole run. Any other kind gives the arrow.
const plat::Cursor& AppCursor(int kind);
