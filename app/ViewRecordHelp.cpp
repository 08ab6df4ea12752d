// The view runs the record help for the palette's Help button.

#include "app/PlinkpadView.h"
#include "recording/RecordHelpDialog.h"

int CPlinkpadView::ShowRecordHelp(const std::string& paletteImageDir) {
    m_bModal = 1;
    // The name ends in a blank, which host paths ignore.
    CRecordHelpDialog dialog(System(), paletteImageDir + "rechp.bmp ");
    const int result = dialog.DoModal();
    m_bModal = 0;
    return result;
}
