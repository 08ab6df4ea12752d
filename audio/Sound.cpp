#include "audio/Sound.h"

#include <optional>
#include <vector>

#include "audio/SoundEngine.h"
#include "audio/SoundTimers.h"
#include "audio/WavReader.h"
#include "platform/Host.h"

CSound::CSound(CSoundEngine* engine, int id) : m_nId(id), m_pEngine(engine) {}

CSound::~CSound() = default;

int CSound::LoadFrom(const std::string& firstFolder, const std::string& secondFolder, const std::string& fileName) {
    if (Load(firstFolder + fileName, true)) return 1;
    return Load(secondFolder + fileName, false);
}

void CSound::Fail(const std::string& path, const std::string& reason, bool quiet) {
    if (quiet) return;
    if (plat::Dialogs* dialogs = plat::GetHost().dialogs)
        dialogs->MessageBox("Error loading sound " + path + " " + reason);
}

int CSound::Load(const std::string& path, bool quiet) {
    if (path.empty()) {
        Fail(path, "", quiet);
        return 0;
    }
    m_strPath = path;
    m_pBuffer.reset();

    const plat::Host& host = plat::GetHost();
    std::optional<std::vector<uint8_t>> file;
    if (host.files != nullptr) file = host.files->ReadFile(path);
    if (!file) {
        Fail(path, "Unable to load file.", quiet);
        return 0;
    }
    audio::WavReader reader(*file);
    audio::WavFormat format;
    if (reader.ReadFormat(format) != audio::kWavOk) {
        Fail(path, "Unable to load file.", quiet);
        return 0;
    }
    std::span<const uint8_t> data;
    if (reader.FindData(data) != audio::kWavOk) {
        Fail(path, "", quiet);
        return 0;
    }
    if (m_pEngine != nullptr) m_pBuffer = m_pEngine->CreateBuffer(format, data);
    if (!m_pBuffer) {
        Fail(path, "Unable to create Secondary Buffer", quiet);
        return 0;
    }
    m_nLengthMs = audio::WavLengthMs(format, data.size());
    m_pBuffer->SetVolume(m_pEngine->VolumeForNewSounds());
    return 1;
}

int CSound::PlayBuffer(int withTimer) {
    if (!m_pBuffer) return 0;
    if (withTimer && m_pEngine != nullptr && m_pEngine->TimerTarget() != nullptr)
        m_pEngine->TimerTarget()->SetSoundTimer(m_nId, static_cast<uint32_t>(m_nLengthMs));
    m_pBuffer->Play(m_bLoop != 0);
    return 1;
}

int CSound::Play(int withTimer) {
    if (!PlayBuffer(withTimer)) return 0;
    plat::TraceLine("play %d %s", m_nId, SoundFileName(m_strPath).c_str());
    return 1;
}

int CSound::IsPlaying() const { return m_pBuffer && m_pBuffer->IsPlaying() ? 1 : 0; }

void CSound::StopIfLooping() {
    if (m_pBuffer && m_bLoop) m_pBuffer->Stop();
}

int CSound::GetPan() const { return m_pBuffer ? m_pBuffer->Pan() : 0; }

void CSound::SetPan(int pan) {
    if (m_pBuffer) m_pBuffer->SetPan(pan);
}

void CSound::SetVolume(int volume) {
    if (m_pBuffer) m_pBuffer->SetVolume(volume);
}

std::string SoundFileName(const std::string& path) {
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}
