#pragma once
// The program's sound engine: owns the audio device, the mixer and every
// loaded sound, grouped as the current scene's sounds (searched by id in list
// order, with the running duplicates), the general interface sounds (kept for
// the whole run), the scene's random sounds and its background loops. Scenes
// and the palette name sounds by id only. Created by the stage view; window
// thread only.

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "audio/Mixer.h"
#include "audio/Random.h"
#include "audio/Sound.h"
#include "platform/audio/AudioDevice.h"

class SoundTimers;

class CSoundEngine {
public:
    static constexpr int kFirstDuplicateId = 10000;
    static constexpr int kLastDuplicateId = 32000;
    static constexpr int kMuted = 10;        // SetVolumeLevel: silence, remembering the level
    static constexpr int kUnmute = 20;       // SetVolumeLevel: back to the remembered level
    static constexpr size_t kMaxLoopPath = 255;
    static constexpr int kDefaultSampleRate = 48000;  // frames per second the mixer renders

    // Not ready until Create(). Seeds the program's random generator
    // (audio::ProgramRandom()) with `randomSeed`.
    explicit CSoundEngine(uint32_t randomSeed = audio::CurrentTimeSeconds());
    // Clear(), drops the general sounds and closes the device.
    ~CSoundEngine();
    CSoundEngine(const CSoundEngine&) = delete;
    CSoundEngine& operator=(const CSoundEngine&) = delete;

    // The device format Create() asks for: 48000 Hz with 512-frame buffers
    // (about 11 ms) unless --audio-buffer FRAMES says otherwise. The mixer
    // converts every sound to whatever rate the device takes. Call before Create().
    void SetAudioConfig(const plat::AudioConfig& config) { m_config = config; }
    const plat::AudioConfig& AudioConfig() const { return m_config; }
    // Where sounds played with a timer set their end timer (the stage view).
    // Not owned; null: no timers.
    void SetTimerTarget(SoundTimers* timers) { m_pTimers = timers; }
    SoundTimers* TimerTarget() const { return m_pTimers; }

    // Opens the audio device through the host's backend. No device: message
    // "Unable to create Direct Sound Object", returns 0 and the engine stays
    // not ready (every load fails, so the program runs silently).
    int Create();
    int IsReady() const { return m_bReady; }
    // Drops the scene's sounds, duplicates, random sounds and loops (every
    // scene switch); the general sounds stay.
    void Clear();

    // The engine owns the sound from then on.
    void AddSound(std::unique_ptr<CSound> sound);
    void AddRandomSound(std::unique_ptr<CSound> sound);
    void AddGeneralSound(std::unique_ptr<CSound> sound);

    // The first sound with `id`: a duplicate on top if it is playing, else
    // plays it (with its end timer when `withTimer`). Unknown ids: nothing.
    void PlaySound(int id, int withTimer);
    // A random sound of the scene list (as PlaySound, without timer).
    void PlayRandomSound();
    // The first general sound with `id`, unless it is playing already.
    void PlayGeneralSound(int id);
    // A random sound of the random list (as PlaySound, without timer).
    void PlayRandomMisc();
    // Plays a duplicate of `sound` (id 10000..32000, wrapping) with its end
    // timer and appends it to the scene list. Null when no duplicate can be
    // made. The returned sound belongs to the engine.
    CSound* PlayDuplicate(CSound& sound);

    CSound* FindSound(int id);
    int IsSoundPlaying(int id);
    // From the scenes' timer handlers: stops a looping sound and deletes a
    // duplicate (scene list first, then the random sounds).
    void StopSound(int id);
    // Deletes the first scene-list sound with `id`.
    void RemoveSound(int id);

    // Registers a loop (path cut to 255 characters); nothing plays yet.
    void AddLoop(const std::string& path, int id, int pan);
    // Loads the loop's file (loud) and plays it looping with the remembered
    // volume (silent while muted) and the loop's pan. Nothing for an unknown
    // id or a loop that plays already.
    void StartLoop(int id);
    int IsLoopPlaying(int id) const;
    // Deletes the loop's sound, which silences it at once.
    void StopLoop(int id);

    // Levels 1..5 (0, -2.5, -5, -7.5, -10 dB), kMuted and kUnmute; applied
    // to the scene, general and random sounds, not to loops already playing,
    // except that loops started while muted come in when unmuted. Other
    // levels and the current level are ignored.
    void SetVolumeLevel(int level);
    void ToggleMute();
    int VolumeLevel() const { return m_nVolumeLevel; }

    // For CSound: a voice over the given PCM data; null when not ready, the
    // format cannot be played or no voice is free.
    std::unique_ptr<audio::MixerVoice> CreateBuffer(const audio::WavFormat& format, std::span<const uint8_t> data);
    // For CSound: the volume a newly loaded sound gets (silence while muted).
    int VolumeForNewSounds() const;
    // The mix the device pulls (tests and benchmarks render it directly).
    audio::Mixer& Mixer() { return *m_pMixer; }

private:
    struct CLoopEntry {
        int id;
        std::unique_ptr<CSound> pSound;  // null while stopped
        std::string path;
        int pan;
        bool bStartedMuted = false;  // playing silent until unmuted
    };
    // Plays `sound` as PlaySound does.
    void PlayOrDuplicate(CSound& sound, int withTimer);
    CLoopEntry* FindLoop(int id);

    // The mixer outlives the device (declared first, destroyed last).
    std::unique_ptr<audio::Mixer> m_pMixer;
    std::unique_ptr<plat::AudioDevice> m_pDevice;
    plat::AudioConfig m_config{kDefaultSampleRate, 512};
    SoundTimers* m_pTimers = nullptr;

    std::vector<std::unique_ptr<CSound>> m_sounds;
    std::vector<std::unique_ptr<CSound>> m_generalSounds;
    std::vector<std::unique_ptr<CSound>> m_randomSounds;
    std::vector<CLoopEntry> m_loops;
    int m_bReady = 0;
    int m_nNextDupId = kFirstDuplicateId;
    int m_nVolumeLevel = 1;
    int m_nVolume = 0;
};
