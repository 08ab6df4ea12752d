#include "audio/SoundEngine.h"

#include <algorithm>

#include "audio/Gain.h"
#include "audio/SampleBuffer.h"
#include "platform/Backend.h"
#include "platform/Host.h"

namespace {

// Volume of levels 1..5 in hundredths of a decibel.
constexpr int kLevelStep = -250;

template <typename List>
CSound* FirstWithId(List& list, int id) {
    for (auto& sound : list)
        if (sound->Id() == id) return sound.get();
    return nullptr;
}

}  // namespace

CSoundEngine::CSoundEngine(uint32_t randomSeed) : m_pMixer(std::make_unique<audio::Mixer>(kDefaultSampleRate)) {
    audio::ProgramRandom().Seed(randomSeed);
}

CSoundEngine::~CSoundEngine() {
    Clear();
    m_generalSounds.clear();
    m_pDevice.reset();  // no Render runs after this
}

int CSoundEngine::Create() {
    if (m_bReady) return 1;
    plat::Backend* backend = plat::GetHost().backend;
    m_pMixer->SetOutputRate(m_config.sampleRate);
    if (backend != nullptr) m_pDevice = backend->OpenAudio(*m_pMixer, m_config);
    // A device may take another rate than asked (a browser's own).
    if (m_pDevice) m_pMixer->SetOutputRate(m_pDevice->SampleRate());
    if (!m_pDevice) {
        if (plat::Dialogs* dialogs = plat::GetHost().dialogs)
            dialogs->MessageBox("Unable to create Direct Sound Object");
        return 0;
    }
    m_bReady = 1;
    return 1;
}

void CSoundEngine::Clear() {
    m_sounds.clear();
    m_randomSounds.clear();
    m_loops.clear();
}

void CSoundEngine::AddSound(std::unique_ptr<CSound> sound) {
    if (sound) m_sounds.push_back(std::move(sound));
}

void CSoundEngine::AddRandomSound(std::unique_ptr<CSound> sound) {
    if (sound) m_randomSounds.push_back(std::move(sound));
}

void CSoundEngine::AddGeneralSound(std::unique_ptr<CSound> sound) {
    if (sound) m_generalSounds.push_back(std::move(sound));
}

void CSoundEngine::PlayOrDuplicate(CSound& sound, int withTimer) {
    if (sound.IsPlaying())
        PlayDuplicate(sound);
    else
        sound.Play(withTimer);
}

void CSoundEngine::PlaySound(int id, int withTimer) {
    if (CSound* sound = FindSound(id)) PlayOrDuplicate(*sound, withTimer);
}

void CSoundEngine::PlayRandomSound() {
    if (m_sounds.empty()) return;
    const int index = audio::ProgramRandom().Choose(static_cast<int>(m_sounds.size()));
    PlayOrDuplicate(*m_sounds[index], 0);
}

void CSoundEngine::PlayRandomMisc() {
    if (m_randomSounds.empty()) return;
    const int index = audio::ProgramRandom().Choose(static_cast<int>(m_randomSounds.size()));
    PlayOrDuplicate(*m_randomSounds[index], 0);
}

void CSoundEngine::PlayGeneralSound(int id) {
    CSound* sound = FirstWithId(m_generalSounds, id);
    if (sound != nullptr && !sound->IsPlaying()) sound->Play(0);
}

CSound* CSoundEngine::PlayDuplicate(CSound& sound) {
    const int id = m_nNextDupId;
    m_nNextDupId = id == kLastDuplicateId ? kFirstDuplicateId : id + 1;
    if (!sound.m_pBuffer) return nullptr;
    auto duplicate = std::make_unique<CSound>(this, id);
    duplicate->m_pBuffer = sound.m_pBuffer->Duplicate();
    if (!duplicate->m_pBuffer) return nullptr;
    duplicate->m_nLengthMs = sound.m_nLengthMs;
    duplicate->m_strPath = sound.m_strPath;
    duplicate->PlayBuffer(1);  // the scene's timer handler sees the duplicate's id when it ends
    plat::TraceLine("play %d %s dup %d", id, SoundFileName(sound.m_strPath).c_str(), sound.m_nId);
    m_sounds.push_back(std::move(duplicate));
    return m_sounds.back().get();
}

CSound* CSoundEngine::FindSound(int id) { return FirstWithId(m_sounds, id); }

int CSoundEngine::IsSoundPlaying(int id) {
    const CSound* sound = FindSound(id);
    return sound != nullptr && sound->IsPlaying() ? 1 : 0;
}

void CSoundEngine::StopSound(int id) {
    auto it = std::find_if(m_sounds.begin(), m_sounds.end(), [id](const auto& s) { return s->Id() == id; });
    if (it != m_sounds.end()) {
        (*it)->StopIfLooping();
        if (id >= kFirstDuplicateId) m_sounds.erase(it);
        return;
    }
    if (CSound* sound = FirstWithId(m_randomSounds, id)) sound->StopIfLooping();
}

void CSoundEngine::RemoveSound(int id) {
    auto it = std::find_if(m_sounds.begin(), m_sounds.end(), [id](const auto& s) { return s->Id() == id; });
    if (it == m_sounds.end()) return;
    (*it)->StopIfLooping();
    m_sounds.erase(it);
}

CSoundEngine::CLoopEntry* CSoundEngine::FindLoop(int id) {
    for (CLoopEntry& entry : m_loops)
        if (entry.id == id) return &entry;
    return nullptr;
}

void CSoundEngine::AddLoop(const std::string& path, int id, int pan) {
    m_loops.push_back({id, nullptr, path.substr(0, kMaxLoopPath), pan});
}

void CSoundEngine::StartLoop(int id) {
    CLoopEntry* entry = FindLoop(id);
    if (entry == nullptr || entry->pSound) return;
    auto sound = std::make_unique<CSound>(this, 0);
    if (!sound->Load(entry->path)) return;
    sound->m_bLoop = 1;
    // Silent while muted, until unmuting gives it the volume.
    sound->SetVolume(VolumeForNewSounds());
    entry->bStartedMuted = m_nVolumeLevel == kMuted;
    sound->SetPan(entry->pan);
    sound->PlayBuffer(0);
    plat::TraceLine("loop start %d %s", id, SoundFileName(entry->path).c_str());
    entry->pSound = std::move(sound);
}

int CSoundEngine::IsLoopPlaying(int id) const {
    for (const CLoopEntry& entry : m_loops)
        if (entry.id == id) return entry.pSound ? 1 : 0;
    return 0;
}

void CSoundEngine::StopLoop(int id) {
    CLoopEntry* entry = FindLoop(id);
    if (entry == nullptr || !entry->pSound) return;
    entry->pSound.reset();
    plat::TraceLine("loop stop %d", id);
}

void CSoundEngine::SetVolumeLevel(int level) {
    if (level == m_nVolumeLevel) return;
    int volume;
    if (level >= 1 && level <= 5) {
        volume = (level - 1) * kLevelStep;
        m_nVolume = volume;
        m_nVolumeLevel = level;
    } else if (level == kMuted) {
        volume = audio::kVolumeMin;
        m_nVolumeLevel = level;
    } else if (level == kUnmute) {
        volume = m_nVolume;
        m_nVolumeLevel = m_nVolume / kLevelStep + 1;
    } else {
        return;
    }
    for (auto* list : {&m_sounds, &m_generalSounds, &m_randomSounds})
        for (auto& sound : *list) sound->SetVolume(volume);
    // Loops keep their volume, except those started while muted: they come
    // in with the sounds.
    if (m_nVolumeLevel != kMuted)
        for (CLoopEntry& entry : m_loops)
            if (entry.pSound && entry.bStartedMuted) {
                entry.pSound->SetVolume(volume);
                entry.bStartedMuted = false;
            }
    plat::TraceLine("volume %d", m_nVolumeLevel);
}

void CSoundEngine::ToggleMute() { SetVolumeLevel(m_nVolumeLevel == kMuted ? kUnmute : kMuted); }

int CSoundEngine::VolumeForNewSounds() const { return m_nVolumeLevel == kMuted ? audio::kVolumeMin : m_nVolume; }

std::unique_ptr<audio::MixerVoice> CSoundEngine::CreateBuffer(const audio::WavFormat& format,
                                                              std::span<const uint8_t> data) {
    if (!m_bReady) return nullptr;
    std::shared_ptr<const audio::SampleBuffer> samples = audio::SampleBuffer::Create(format, data);
    if (!samples) return nullptr;
    return m_pMixer->CreateVoice(std::move(samples));
}
