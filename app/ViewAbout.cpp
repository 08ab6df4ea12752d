#include "app/PlinkpadView.h"
#include "scenes/center/AboutBox.h"
#include "scenes/Scene.h"

void CPlinkpadView::ShowAbout() {
    if (!m_pScene) return;
    CAboutBox box(System(), m_pScene->m_strDiscImageDir, *this);
    m_bModal = 1;
    box.DoModal();
    m_bModal = 0;
}
