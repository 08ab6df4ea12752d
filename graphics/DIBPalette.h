#pragma once
// CDIBPalette: a logical palette made from a DIB's colour table, used to
// convert DIBs into device bitmaps with their own colours. Window thread only.

#include "graphics/DIB.h"
#include "platform/gdi/Palette.h"

class CDIBPalette : public plat::Palette {
public:
    CDIBPalette() = default;
    // Takes as many entries as the DIB declares colours (CDIB::GetNumColors,
    // at most 256). With no colours nothing changes and 0 is returned.
    int Create(const CDIB& dib);
};
