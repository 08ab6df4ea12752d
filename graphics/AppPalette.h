#pragma once
// The application palette: one 256-colour palette at a time, taken from the
// current background picture and realised before drawing. Buttons select it
// for their transparent drawing. Window thread only.
//
// Ownership: the palette is owned here. Whoever installs a new one (a scene
// entering, the start-up picture) replaces and thereby deletes the old one,
// so a pointer from TheAppPalette() is valid only until the next
// SetAppPalette.

#include <memory>

#include "platform/gdi/Palette.h"

// The current application palette; null before the first is installed.
const plat::Palette* TheAppPalette();
// Installs `palette` (may be null), deleting the previous one.
void SetAppPalette(std::unique_ptr<plat::Palette> palette);
