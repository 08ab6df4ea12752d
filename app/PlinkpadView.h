#pragma once
// The stage view: fills the main frame and hosts the current scene. It owns
// the sound engine, the session record, the scene and the session-name edit
// box; plays the start-up splash; forwards every mouse, key, timer and paint
// event to the scene; switches scenes on the posted message kSwitchScene; and
// runs the session commands (new, open, save, quit). Scenes and the palette
// see it as SceneHost and PaletteHost, the recorder as RecorderView.
// Window thread only.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "audio/SoundTimers.h"
#include "recording/RecorderHooks.h"
#include "scenes/SceneHost.h"

namespace plat {
class EditControl;
}

class CScene;
class CSession;
class CSoundEngine;
class ScenePalette;

class CPlinkpadView final : public SceneHost, public SoundTimers, public RecorderView {
public:
    // Makes the scene for a number, or null when there is none.
    using SceneFactory = std::function<std::unique_ptr<CScene>(CPlinkpadView&, int)>;
    // Makes a (not yet opened) Record/Play palette for a scene.
    using PaletteFactory = std::function<std::unique_ptr<ScenePalette>(CPlinkpadView&, CScene&)>;

    // Creates the sound engine object (no output yet) and an empty session.
    explicit CPlinkpadView(plat::WindowSystem& system);
    ~CPlinkpadView() override;

    // Creates the view filling `frame`'s client area, and its hidden edit box.
    bool CreateView(plat::Window& frame);

    // Where scenes and palettes come from; the program's own by default.
    void SetSceneFactory(SceneFactory factory) { m_sceneFactory = std::move(factory); }
    void SetPaletteFactory(PaletteFactory factory) { m_paletteFactory = std::move(factory); }
    std::unique_ptr<ScenePalette> MakeRecordPalette(CScene& scene) override;

    // --- Window handlers: all forwarded to the scene when there is one ---
    bool OnCreate() override;
    void OnPaint(plat::DeviceContext& dc) override;
    void OnMouseMove(int x, int y) override;
    void OnLButtonDown(int x, int y) override;
    void OnLButtonUp(int x, int y) override;
    void OnKeyDown(int key, uint32_t flags) override;
    void OnKeyUp(int key, uint32_t flags) override;
    void OnTimer(int id) override;
    // Losing the keyboard: the scene lets go of Shift and Ctrl.
    void OnFocus(bool gained) override;
    intptr_t OnMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam) override;

    // Cursor kinds 1..7 (see graphics/Cursors.h); any other kind sets
    // the remembered cursor again. Traced as "cursor K".
    void SetCursorKind(int kind) override;
    int CursorKind() const override { return m_nCursorKind; }

    // The general interface sounds (ids 10..90) from the disc; only when the
    // engine has its output.
    void LoadGeneralSounds();
    void LoadCursors();
    // Runs the record help modally (m_bModal set meanwhile): the picture
    // "rechp.bmp" of the palette's disc image folder (with its world prefix).
    int ShowRecordHelp(const std::string& paletteImageDir) override;

    // Session commands: 1 on success, 0 when cancelled or failed.
    int NewSession() override;
    int OpenSession() override;
    // Open Session for a file named outside the program (the command line):
    // the same checks, messages and loading, without the dialog.
    int OpenSessionFile(const std::string& hostPath);
    // OpenSessionFile(hostPath) once the hub is up: its hot-spots loaded and
    // its intro over, as when a person could first give the Open command.
    void OpenOnceHubIsUp(std::string hostPath) { m_strOpenOnArrival = std::move(hostPath); }
    // The second half of OpenSession, for a session read elsewhere (a render):
    // `loaded` replaces the current session and `title` shows as its name.
    void AdoptSession(std::unique_ptr<CSession> loaded, const std::string& title);
    int SaveSession() override;
    int QuitProgram() override;
    // Runs the About box modally (the current scene's disc image folder holds
    // its picture); m_bModal is 1 meanwhile.
    void ShowAbout() override;
    // The application's asset folders (CPlinkpadApp).
    const std::string& CDDrive() const override;
    const std::string& HomeDir() const override;
    const std::string& AudioDir() const override;

    // SoundTimers: a sound's end timer on this window.
    void SetSoundTimer(int id, uint32_t periodMs) override;
    // RecorderView: playback goes on in another world after the switch.
    void ResumeInWorld(int world, int resumeCut) override;

    CScene* Scene() const { return m_pScene.get(); }
    CSoundEngine* Engine() const override { return m_pEngine.get(); }
    CSession* Session() const override { return m_pSession.get(); }
    plat::EditControl& SessionEdit() override { return *m_editSession; }

    // m_bModal, m_bReopenPalette, m_nResumeCut (PaletteHost) and
    // m_bReturnToCenter (SceneHost) are the view's too.
    int m_bEnterPending = 1;  // the next paint enters the scene

private:
    void RunSplash(plat::DeviceContext& dc);
    void SwitchScene(int number);
    void OnSceneReady();
    // Writes the session to `path` without ever damaging an existing file there.
    // The file keeps its permissions; a symlink stays and its target is replaced.
    bool StoreSession(const std::string& hostPath);
    // The file title (name without folder and extension) of a host path.
    static std::string FileTitle(const std::string& hostPath);
    // Ends a recording (keeping its cut) and a playback, then asks "Save
    // now?" for a modified session: false when the user cancels.
    bool OfferSave();
    // Stops the recorder in the old session and links the new one in its place.
    void ReplaceSession(std::unique_ptr<CSession> session);
    // The last steps of opening a file that passed the name checks: sound 40,
    // then the file read into the current session; "Unable to load session!"
    // when it cannot be read or holds no session.
    int LoadSessionAt(const std::string& hostPath);

    std::unique_ptr<CSoundEngine> m_pEngine;
    std::unique_ptr<CSession> m_pSession;
    std::unique_ptr<CScene> m_pScene;
    std::unique_ptr<plat::EditControl> m_editSession;
    SceneFactory m_sceneFactory;
    PaletteFactory m_paletteFactory;
    int m_nCursorKind = 0;  // none set yet
    bool m_bCursorsLoaded = false;
    bool m_bSplashDone = false;
    // A switch that arrived while a modal dialog ran, done once it has closed.
    std::optional<int> m_nDeferredScene;
    // The session file to open once the hub is up; empty when none.
    std::string m_strOpenOnArrival;
};
