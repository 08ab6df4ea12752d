#pragma once
// What the Record/Play palette needs of the scene it was opened in and of the
// stage view it floats over. CScene implements PaletteScene and the stage
// view PaletteHost, so the palette is built below the scenes and the
// application and knows neither. Window thread only.

#include <string>

#include "platform/window/Window.h"
#include "recording/RecorderHooks.h"

class CSession;
class CSoundEngine;

// The palette's scene: the one recorded events are replayed into, and what
// the palette's buttons do to it.
class PaletteScene : public RecorderScene {
public:
    // Stops the scene's background loop if it plays (the palette turning
    // compact or full).
    virtual void StopLoop() = 0;
    // Alternates the view's busy cursor between kinds 4 and 5.
    virtual void ToggleWaitCursor() = 0;
    // Opens the palette, or closes it unless it is recording. Called from
    // the palette's own Tab handler: nothing of the palette may be touched
    // after it returns.
    virtual void ToggleRecordPalette() = 0;
    // The palette set the volume level (1..5); the hub's menu shows it.
    virtual void SetMenuVolumeLevel(int level) = 0;
};

// The stage view as the palette sees it: the window whose keyboard focus the
// palette hands back, the session and the engine it works on, the pointer,
// the record help, the asset folders, and the flags the view and the palette
// share across a world switch.
class PaletteHost : public plat::Window {
public:
    using plat::Window::Window;

    // The session in use and the sound engine; null while there is none
    // (the view is being torn down).
    virtual CSession* Session() const = 0;
    virtual CSoundEngine* Engine() const = 0;
    // Cursor kinds 1..7 (graphics/Cursors.h); any other kind sets the
    // remembered cursor again. Traced as "cursor K".
    virtual void SetCursorKind(int kind) = 0;
    // Runs the record help modally (m_bModal set meanwhile): the picture
    // "rechp.bmp" of the palette's disc image folder (with its world prefix).
    virtual int ShowRecordHelp(const std::string& paletteImageDir) = 0;
    // The assets disc's drive letter (no colon) and the install folder, as
    // the application found them at start-up.
    virtual const std::string& CDDrive() const = 0;
    virtual const std::string& HomeDir() const = 0;

    int m_bModal = 0;           // a modal dialog of the view runs
    int m_bReopenPalette = 0;   // reopen the palette in the next scene (playback)
    int m_nResumeCut = 0;       // with it: the cut or play-list position to resume
};
