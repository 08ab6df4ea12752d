#include "recording/RecordHelpDialog.h"

#include "platform/window/WindowSystem.h"

CRecordHelpDialog::CRecordHelpDialog(plat::WindowSystem& system, const std::string& picturePath)
    : CPictureDialog(system, picturePath, kWidth, kHeight) {}

int CRecordHelpDialog::DoModal() {
    const plat::Display& display = System().GetDisplay();
    return RunAt(plat::Rect::FromSize((display.Width() - kWidth) / 2, (display.Height() - kHeight) / 2, kWidth,
                                      kHeight));
}
