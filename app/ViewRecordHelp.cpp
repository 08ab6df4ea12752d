// The view runs the record help for the palette's Help button.

#include "app/PlinkpadView.h"
#include "recording/RecordHelpDialog.h"

namespace {
constexpr int kBusyCursor = 4;
}

int CPlinkpadView::ShowRecordHelp(const std::string& paletteImageDir) {
    m_bModal = 1;
    const int previousCursor = CursorKind();
    SetCursorKind(kBusyCursor);
    // The name ends in a blank, which host paths ignore.
    CRecordHelpDialog dialog(System(), paletteImageDir + "rechp.bmp ");
    SetCursorKind(previousCursor);
    const int result = dialog.DoModal();
    m_bModal = 0;
    return result;
}
