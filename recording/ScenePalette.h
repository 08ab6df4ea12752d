#pragma once
// The Record/Play palette as a scene and the session commands see it. The
// palette class implements this; the view's palette factory makes one for a
// scene (tests give the view their own). Window thread only.

#include "recording/RecorderHooks.h"

class ScenePalette : public RecorderPalette {
public:
    // Creates the palette's window; false when it cannot be created (the
    // scene then deletes the palette at once).
    virtual bool Open() = 0;
    // Records an input event into the cut being recorded: kind 1 roll-over
    // (x, y), 2 button down (x, y), 3 click (x, y), 4 key down (key, 0),
    // 5 key up (key, 0). Coordinates are view coordinates.
    virtual void RecordEvent(int kind, int a, int b) = 0;
    // Destroys the palette's window now (the palette tells the session it is
    // closing while its window still exists). The object itself must stay
    // alive until the handler that asked for this has returned.
    virtual void Close() = 0;
    // When a track button is selected, runs the selection of that same button
    // again (it stores the name typed into the box and refreshes the label).
    // Used by the session commands around replacing the session.
    virtual void ReselectCut() = 0;
    // The volume level (1..5) was set elsewhere (the hub's menu): the palette
    // shows it on its volume control. A palette without one ignores it.
    virtual void SetVolumeKnob(int level) { (void)level; }
};
