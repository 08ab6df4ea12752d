#pragma once
// The hub's drop-down menu, drawn in its own pictures at the top-left of the
// stage: a strip with three headings (About, File, Volume). Pointing at the
// strip opens it; pressing on a heading shows its list; releasing over an
// entry yields the entry's command code, which the hub carries out:
// 10 About box; 20 new, 30 open, 40 and 50 save session, 60 quit; 1..5 a
// volume level. The panel remembers the volume level so that the Volume list
// shows it marked.
//
// The hub owns the panel, forwards its mouse events (moves only while not
// recording) and draws it into its back buffer while painting. Pictures and
// masks come from the disc only. Window thread only.

#include <memory>
#include <string>
#include <vector>

#include "graphics/SimpleButton.h"

namespace plat {
class DeviceContext;
}

class SceneHost;

class CMenuPanel {
public:
    // A heading and its list.
    struct CGroup {
        std::unique_ptr<CSimpleButton> heading;
        std::vector<std::unique_ptr<CSimpleButton>> entries;
    };

    // The heading id of the Volume group.
    static constexpr int kVolumeHeading = 150;

    // `view` draws the panel and plays its sounds; not owned, must outlive
    // the panel. The origin is kept for reference: buttons place themselves
    // through the stage origin.
    CMenuPanel(int originX, int originY, SceneHost* view);
    ~CMenuPanel();
    CMenuPanel(const CMenuPanel&) = delete;
    CMenuPanel& operator=(const CMenuPanel&) = delete;

    // Builds the strip and the three groups; m_pVolumeItem becomes the first
    // Volume entry.
    void LoadImages();

    // View coordinates. Moves: 1 when the panel took the move (every move
    // while it is open). Presses: 1 when taken. Releases: the command code of
    // the highlighted entry, 0 for none.
    int OnMouseMove(int x, int y);
    int OnLButtonDown(int x, int y);
    int OnLButtonUp(int x, int y);
    // Into the hub's back buffer (stage coordinates): the strip and the
    // pressed headings while open; nothing while closed.
    void Draw(plat::DeviceContext& dc, int flag);

    void Open();
    // Unlights the highlighted entry and the pressed heading, forgets the
    // highlighted entry (a later release without a new highlight yields
    // nothing) and repaints the strip's area at once.
    void Close();
    // The first group whose heading's mask accepts the point, else null.
    CGroup* GroupAt(int x, int y);
    // The first entry of `group` whose rectangle holds the point, else null.
    CSimpleButton* EntryAt(CGroup* group, int x, int y);

    SceneHost* m_pView;
    int m_nOriginX;
    int m_nOriginY;
    int m_bOpen = 0;
    int m_bTracking = 0;
    CSimpleButton m_strip;
    std::vector<std::unique_ptr<CGroup>> m_groups;  // About, File, Volume
    CSimpleButton* m_pHotItem = nullptr;
    CGroup* m_pActiveGroup = nullptr;
    std::string m_strMenuDir;
    std::string m_strMaskDir;
    int m_nVolumeLevel = 1;  // 1..5
    CSimpleButton* m_pVolumeItem = nullptr;

private:
    // Finds the Volume entry of m_nVolumeLevel, makes it m_pVolumeItem and
    // draws it pressed.
    void MarkVolumeLevel(CGroup& volume);
    void PlayClick();
};
