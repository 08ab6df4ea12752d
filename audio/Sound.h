#pragma once
// One loaded WAV file: its mixer voice (the "buffer"), its id and its play
// length. Owned by the sound engine's lists or a loop entry; the engine must
// outlive it. Window thread only.

#include <memory>
#include <string>

#include "audio/MixerVoice.h"

class CSoundEngine;

class CSound {
public:
    // No path, no buffer, length 0, not looping. `engine` may be null (then
    // loading fails: there is no mixer to give the sound a buffer).
    CSound(CSoundEngine* engine, int id);
    ~CSound();  // releasing the buffer silences it
    CSound(const CSound&) = delete;
    CSound& operator=(const CSound&) = delete;

    // Load(firstFolder + fileName, quiet); if that fails, Load(secondFolder +
    // fileName, loud). Folders end with a separator. Returns 1 or 0.
    int LoadFrom(const std::string& firstFolder, const std::string& secondFolder, const std::string& fileName);
    // Loads a host path, replacing any earlier buffer. On failure a loud load
    // shows "Error loading sound " + path + " " + reason; a quiet one shows
    // nothing. Returns 1 or 0.
    int Load(const std::string& path, bool quiet = false);

    // Without a buffer returns 0. With `withTimer`, first sets the stage
    // view's sound timer (id, length in ms); then plays from the current
    // position, looping if set. Traced as "play ID FILE".
    int Play(int withTimer);
    // The play position is not 0 (see MixerVoice::IsPlaying); 0 without a buffer.
    int IsPlaying() const;
    // Stops the buffer only when the sound loops.
    void StopIfLooping();
    // Pan in hundredths of a decibel (-10000 left .. 10000 right); 0 without a buffer.
    int GetPan() const;
    void SetPan(int pan);

    int Id() const { return m_nId; }
    const std::string& Path() const { return m_strPath; }
    int LengthMs() const { return m_nLengthMs; }
    bool HasBuffer() const { return m_pBuffer != nullptr; }

private:
    friend class CSoundEngine;
    // Play without the trace line (loops and duplicates trace their own).
    int PlayBuffer(int withTimer);
    void SetVolume(int volume);
    static void Fail(const std::string& path, const std::string& reason, bool quiet);

    int m_nId;
    std::string m_strPath;
    std::unique_ptr<audio::MixerVoice> m_pBuffer;
    int m_nLengthMs = 0;
    int m_bLoop = 0;
    CSoundEngine* m_pEngine;
};

// The file name of a host path, without its folders ("a\b\c.wav" -> "c.wav").
std::string SoundFileName(const std::string& path);
