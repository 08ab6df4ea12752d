#include "scenes/center/MenuPanel.h"

#include "audio/SoundEngine.h"
#include "graphics/DIB.h"
#include "platform/Host.h"
#include "platform/gdi/DeviceContext.h"
#include "scenes/SceneHost.h"

namespace {

constexpr int kMenuSound = 82;  // general sound of every menu step

struct EntrySpec {
    int x, y, id;
    const char* picture;
};

struct GroupSpec {
    int x, y, id;
    const char* picture;
    const char* mask;
    std::vector<EntrySpec> entries;
};

const std::vector<GroupSpec>& GroupTable() {
    static const std::vector<GroupSpec> table = {
        {0, 1, 0, "Ceabout.bmp", "Ceabtmk.bmp", {{15, 32, 10, "Ceabout2.bmp"}}},
        {65, 3, 0, "Cefile.bmp", "Cefilemk.bmp",
         {{65, 33, 20, "Cefile1.bmp"},
          {65, 56, 30, "Cefile2.bmp"},
          {65, 77, 40, "Cefile3.bmp"},
          {65, 99, 50, "Cefile4.bmp"},
          {65, 128, 60, "Cefile5.bmp"}}},
        {124, 3, CMenuPanel::kVolumeHeading, "Cevolume.bmp", "Cevolmk.bmp",
         {{124, 32, 1, "Cevolum1.bmp"},
          {124, 54, 2, "Cevolum2.bmp"},
          {124, 76, 3, "Cevolum3.bmp"},
          {124, 98, 4, "Cevolum4.bmp"},
          {124, 120, 5, "Cevolum5.bmp"}}},
    };
    return table;
}

// A DIB of a disc file; a missing file leaves the DIB's stand-in picture.
CDIB* LoadDib(const std::string& path) {
    auto* dib = new CDIB;
    dib->Load(path);
    return dib;
}

}  // namespace

CMenuPanel::CMenuPanel(int originX, int originY, SceneHost* view)
    : m_pView(view),
      m_nOriginX(originX),
      m_nOriginY(originY),
      m_strip(nullptr, 0),
      m_strMenuDir(view->CDDrive() + ":\\plinkpad\\assets\\center\\menu\\"),
      m_strMaskDir(m_strMenuDir + "masks\\") {}

CMenuPanel::~CMenuPanel() = default;

void CMenuPanel::LoadImages() {
    m_strip.SetImage(LoadDib(m_strMenuDir + "Cemenu.bmp"), 1);
    m_groups.clear();
    for (const GroupSpec& spec : GroupTable()) {
        auto group = std::make_unique<CGroup>();
        const plat::Point at{spec.x, spec.y};
        group->heading = std::make_unique<CSimpleButton>(&at, spec.id);
        group->heading->SetImage(LoadDib(m_strMenuDir + spec.picture), 1);
        group->heading->SetMask(LoadDib(m_strMaskDir + spec.mask), 1);
        for (const EntrySpec& e : spec.entries) {
            const plat::Point entryAt{e.x, e.y};
            auto entry = std::make_unique<CSimpleButton>(&entryAt, e.id);
            entry->SetImage(LoadDib(m_strMenuDir + e.picture), 1);
            group->entries.push_back(std::move(entry));
        }
        m_groups.push_back(std::move(group));
    }
    m_pVolumeItem = m_groups.back()->entries.front().get();
}

void CMenuPanel::PlayClick() {
    if (CSoundEngine* engine = m_pView->Engine()) engine->PlayGeneralSound(kMenuSound);
}

void CMenuPanel::MarkVolumeLevel(CGroup& volume) {
    for (const std::unique_ptr<CSimpleButton>& entry : volume.entries) {
        if (entry->m_nId != m_nVolumeLevel) continue;
        m_pVolumeItem = entry.get();
        entry->Press(*m_pView);
        plat::TraceLine("menu mark %d", m_nVolumeLevel);
        return;
    }
}

void CMenuPanel::Open() {
    m_bOpen = 1;
    m_strip.Press(*m_pView);
    plat::TraceLine("menu open");
}

void CMenuPanel::Close() {
    if (!m_bOpen) return;
    if (m_pHotItem != nullptr) m_pHotItem->Release(*m_pView);
    if (m_pActiveGroup != nullptr) m_pActiveGroup->heading->Release(*m_pView);
    // A later press and release without a new highlight must not repeat the
    // command of an entry highlighted before.
    m_pHotItem = nullptr;
    m_bTracking = 0;
    m_bOpen = 0;
    m_pView->Invalidate(&m_strip.m_rect);
    m_pView->UpdateNow();
    plat::TraceLine("menu close");
}

CMenuPanel::CGroup* CMenuPanel::GroupAt(int x, int y) {
    for (const std::unique_ptr<CGroup>& g : m_groups)
        if (g->heading->HitTest(x, y)) return g.get();
    return nullptr;
}

CSimpleButton* CMenuPanel::EntryAt(CGroup* group, int x, int y) {
    if (group == nullptr) return nullptr;
    for (const std::unique_ptr<CSimpleButton>& e : group->entries)
        if (e->HitTest(x, y)) return e.get();
    return nullptr;
}

int CMenuPanel::OnMouseMove(int x, int y) {
    const bool inStrip = m_strip.HitTest(x, y) != 0;
    if (!m_bOpen) {
        if (!inStrip) return 0;
        Open();
        PlayClick();
        return 1;
    }
    if (!m_bTracking) {
        if (!inStrip) Close();
        return 1;
    }
    CGroup* g = GroupAt(x, y);
    if (m_pActiveGroup != nullptr) {
        CSimpleButton* e = EntryAt(m_pActiveGroup, x, y);
        if (m_pHotItem != nullptr && m_pHotItem != e) {
            if (m_pHotItem != m_pVolumeItem) m_pHotItem->Release(*m_pView);
            m_pHotItem = nullptr;
        }
        if (e != nullptr && e != m_pHotItem) {
            e->Press(*m_pView);
            PlayClick();
            m_pHotItem = e;
        }
    }
    if (g != nullptr && !g->heading->m_bLit) {
        if (m_pActiveGroup != nullptr) m_pActiveGroup->heading->Release(*m_pView);
        g->heading->Press(*m_pView);
        PlayClick();
        if (g->heading->m_nId == kVolumeHeading) MarkVolumeLevel(*g);
    }
    if (g != nullptr) m_pActiveGroup = g;
    return 1;
}

int CMenuPanel::OnLButtonDown(int x, int y) {
    if (!m_bOpen) return 0;
    CGroup* g = GroupAt(x, y);
    if (g == nullptr) return 1;
    g->heading->Press(*m_pView);
    if (g->heading->m_nId == kVolumeHeading) MarkVolumeLevel(*g);
    m_bTracking = 1;
    m_pActiveGroup = g;
    return 1;
}

int CMenuPanel::OnLButtonUp(int x, int y) {
    (void)x;
    (void)y;
    if (!m_bOpen) return 0;
    CSimpleButton* chosen = m_pHotItem;
    Close();
    if (chosen == nullptr) return 0;
    const int code = chosen->m_nId;
    if (code >= 1 && code <= 5) {
        m_nVolumeLevel = code;
        m_pVolumeItem = chosen;
    }
    plat::TraceLine("menu command %d", code);
    return code;
}

void CMenuPanel::Draw(plat::DeviceContext& dc, int flag) {
    (void)flag;
    if (!m_bOpen) return;
    m_strip.Draw(dc, 0);
    for (const std::unique_ptr<CGroup>& g : m_groups) g->heading->Draw(dc, 0);
}
