#pragma once
// What the sound engine needs of the stage view: end timers for sounds. The
// view sets a window timer with the sound's id and length; its tick reaches
// the scene's OnTimer. Window thread only.

#include <cstdint>

class SoundTimers {
public:
    virtual ~SoundTimers() = default;
    virtual void SetSoundTimer(int id, uint32_t periodMs) = 0;
};
