#pragma once
// The record help: one picture (374 x 382) shown as a modal pop-up over the
// stage and the palette. The pointer is held inside it; any click ends it.
// Window thread only.

#include <string>

#include "graphics/PictureDialog.h"

class CRecordHelpDialog final : public CPictureDialog {
public:
    static constexpr int kWidth = 374;
    static constexpr int kHeight = 382;

    // Loads the picture at the host path (the disc only).
    CRecordHelpDialog(plat::WindowSystem& system, const std::string& picturePath);

    // Shows the picture centred on the desktop and returns when it was clicked.
    int DoModal();
};
