#include "recording/Session.h"

#include <algorithm>

#include "audio/Random.h"
#include "platform/Clock.h"
#include "platform/Host.h"
#include "platform/text/Utf8.h"
#include "platform/window/Window.h"
#include "platform/window/WindowSystem.h"
#include "recording/codec/SessionFile.h"

namespace {

constexpr int kDayWorld = 2;

uint32_t NowMs() {
    plat::Clock* clock = plat::GetHost().clock;
    return clock != nullptr ? clock->NowMs() : 0;
}

// A cut name from the cut-name box: the text up to any NUL, at most 31
// characters (one byte each in the file).
std::string CutName(const std::string& text) {
    return std::string(plat::FirstCodePoints(std::string_view(text).substr(0, text.find('\0')), kMaxCutNameLength));
}

}  // namespace

CSession::CSession(RecorderScene* scene, RecorderPalette* palette, RecorderView* view, RandomSource random)
    : m_pScene(scene), m_pRecordPalette(palette), m_pView(view), m_random(std::move(random)),
      m_dwStartTime(NowMs()) {}

CSession::~CSession() = default;

// --- Links ---

void CSession::Attach(RecorderScene* scene, RecorderPalette* palette) {
    m_pScene = scene;
    m_pRecordPalette = palette;
}

void CSession::TakeLinksFrom(const CSession& previous) {
    m_pScene = previous.m_pScene;
    m_pRecordPalette = previous.m_pRecordPalette;
    m_pView = previous.m_pView;
    m_random = previous.m_random;
}

void CSession::OnPaletteClosing() {
    if (m_pRecordingCut) StopRecording();
    // A switch the recorder asked for destroys the palette with its scene;
    // the palette of the next scene resumes the playback.
    if (!m_bSwitchingWorld && (m_bPlaying || !m_playList.empty())) EndPlayback(false);
    m_pRecordPalette = nullptr;
    m_pScene = nullptr;
}

void CSession::StopAll() {
    if (m_pRecordingCut) {
        StopRecording();
        if (m_pRecordPalette != nullptr) m_pRecordPalette->SetCompact(false);
    }
    if (m_bPlaying || m_bSwitchingWorld || !m_playList.empty()) EndPlayback(true);
}

// --- Files ---

std::vector<uint8_t> CSession::Encode() const { return WriteSessionFile(m_tracks); }

std::unique_ptr<CSession> CSession::Load(std::span<const uint8_t> bytes, std::string& error) {
    SessionTracks tracks;
    if (!ReadSessionFile(bytes, tracks, error)) return nullptr;
    return FromTracks(std::move(tracks));
}

std::unique_ptr<CSession> CSession::FromTracks(SessionTracks tracks) {
    auto session = std::make_unique<CSession>(nullptr, nullptr, nullptr);
    session->m_tracks = std::move(tracks);
    return session;
}

// --- Recording ---

void CSession::StartRecording(int n) {
    const int track = n - 1;
    if (!IsValidTrack(track)) return;
    if (m_pRecordingCut) StopRecording();
    if (m_bPlaying || m_bSwitchingWorld || !m_playList.empty()) EndPlayback(true);
    m_nTrack = track;
    // A recording always replaces the old cut, even if it ends up empty.
    DeleteTrackCut(track);
    m_bModified = true;
    auto cut = std::make_unique<SessionCut>();
    cut->world = m_pScene != nullptr ? m_pScene->SceneNumber() : 0;
    if (m_pRecordPalette != nullptr) cut->name = CutName(m_pRecordPalette->CutNameText());
    m_pRecordingCut = std::move(cut);
    m_pCut = m_pRecordingCut.get();
    m_bRecording = true;
}

int CSession::AddEvent(int kind, int a, int b) {
    if (!m_bRecording || !m_pRecordingCut) return 0;
    std::vector<SessionEvent>& events = m_pRecordingCut->events;
    if (events.size() >= kMaxEvents) {
        // Ended before the box shows: its loop may run handlers that record.
        m_bRecording = false;
        if (plat::Dialogs* dialogs = plat::GetHost().dialogs) dialogs->MessageBox(kTrackFullMessage);
        return 0;
    }
    if (events.empty() && m_pRecordPalette != nullptr) {
        m_pRecordPalette->TimerWindow().KillTimer(kFlashTimer);
        m_pRecordPalette->LightTrack(m_nTrack);
    }
    events.push_back({NowMs() - m_dwStartTime, kind, a, b});
    return 1;
}

int CSession::StopRecording() {
    if (m_pRecordPalette != nullptr) m_pRecordPalette->TimerWindow().KillTimer(kFlashTimer);
    m_bRecording = false;
    if (!m_pRecordingCut) return 0;
    if (!m_pRecordingCut->events.empty()) {
        SetCut(m_nTrack, std::move(m_pRecordingCut));
        m_bModified = true;  // also after a save while it was recording
        return 1;
    }
    m_pRecordingCut.reset();
    m_pCut = nullptr;
    return 0;
}

const SessionCut* CSession::GetCut(int track) const {
    return IsValidTrack(track) ? m_tracks[static_cast<size_t>(track)].get() : nullptr;
}

void CSession::SetCut(int track, std::unique_ptr<SessionCut> cut) {
    if (!IsValidTrack(track)) return;
    if (m_tracks[static_cast<size_t>(track)]) {
        DeleteTrackCut(track);
    } else if (cut) {
        cut->arrangement.reset(cut->world == kDayWorld && m_pScene != nullptr ? m_pScene->CaptureArrangement()
                                                                                : nullptr);
    }
    m_tracks[static_cast<size_t>(track)] = std::move(cut);
}

int CSession::RenameCut(int track, const std::string& name) {
    if (GetCut(track) == nullptr) return 0;
    SessionCut& cut = *m_tracks[static_cast<size_t>(track)];
    std::string newName = CutName(name);
    if (newName != cut.name) {
        cut.name = std::move(newName);
        m_bModified = true;
    }
    return 1;
}

int CSession::ClearCut(int track) {
    if (GetCut(track) == nullptr) return 0;
    DeleteTrackCut(track);
    m_bModified = true;
    return 1;
}

void CSession::ClearAll() {
    for (int track = 0; track < kTrackCount; ++track) DeleteTrackCut(track);
    m_bModified = true;
}

void CSession::DeleteTrackCut(int track) {
    std::unique_ptr<SessionCut>& cut = m_tracks[static_cast<size_t>(track)];
    if (!cut) return;
    const bool inPlayList = std::find(m_playList.begin(), m_playList.end(), cut.get()) != m_playList.end();
    if (inPlayList || (m_pCut == cut.get() && (m_bPlaying || m_bSwitchingWorld))) EndPlayback(true);
    if (m_pCut == cut.get()) m_pCut = nullptr;
    if (cut->arrangement && cut->arrangement.get() == m_pRestoredArrangement) m_pRestoredArrangement = nullptr;
    cut.reset();
}

// --- Playback ---

int CSession::Random() const { return m_random ? m_random() : audio::ProgramRandom().Next(); }

void CSession::SwitchWorld(int world, int resumeCut) {
    if (m_pView == nullptr) return;
    m_bSwitchingWorld = true;
    m_pView->ResumeInWorld(world, resumeCut);
}

void CSession::StartCut(int light) {
    RestoreDayArrangement();
    m_pRecordPalette->LightTrack(light);
    m_bPlaying = true;
    PlayEvent();
}

int CSession::PlayCut(int n) {
    const int track = n - 1;
    if (GetCut(track) == nullptr || m_pRecordPalette == nullptr || m_bRecording) return 0;
    SessionCut* cut = m_tracks[static_cast<size_t>(track)].get();
    if (!IsPlayableCut(*cut)) return 0;
    m_pCut = cut;
    if (cut->world != m_pRecordPalette->World()) {
        SwitchWorld(cut->world, n);
        return 0;
    }
    m_nTrack = track;
    m_nEvent = 0;
    m_pEvent = &cut->events.front();
    m_nCutChain = 0;
    StartCut(track);
    return 1;
}

int CSession::PlayAll(int random) {
    if (m_pRecordPalette == nullptr || m_bRecording) return 0;
    m_playList.clear();
    for (const auto& cut : m_tracks)
        if (cut && IsPlayableCut(*cut)) m_playList.push_back(cut.get());
    if (m_playList.empty()) return 0;
    const size_t count = m_playList.size();
    if (random != 0) {
        m_nPlayListPos = static_cast<int>(static_cast<unsigned>(Random()) % count);
        m_nPlayAllMode = kPlayAllRandom;
    } else {
        m_nPlayListPos = 0;
        m_nPlayAllMode = kPlayAllInOrder;
    }
    m_pCut = m_playList[static_cast<size_t>(m_nPlayListPos)];
    m_pEvent = &m_pCut->events.front();
    m_nEvent = 0;
    m_nCutChain = 0;
    if (m_pCut->world != m_pRecordPalette->World()) {
        SwitchWorld(m_pCut->world, m_nPlayListPos);
        return 0;
    }
    m_pRecordPalette->ShowStop();
    // The light whose number is the play-list position, not the cut's track.
    StartCut(m_nPlayListPos);
    return 1;
}

int CSession::PlayEvent() {
    if (m_bNextCutDue) {
        m_bNextCutDue = false;
        m_nCutChain = 0;
        PlayNextCut();
        return m_bPlaying ? 1 : 0;
    }
    if (m_pCut == nullptr || m_pEvent == nullptr || m_pScene == nullptr || m_pRecordPalette == nullptr) {
        EndPlayback(true);
        return 0;
    }
    // Delivery may end the playback (a replayed click that closes the
    // palette); the copy and the run count notice that.
    const SessionEvent event = *m_pEvent;
    const uint64_t run = m_nPlaybackRun;
    switch (event.kind) {
    case 0:
    case 1: m_pScene->OnMouseMove(event.a, event.b); break;
    case 2: m_pScene->OnLButtonDown(event.a, event.b); break;
    case 3: m_pScene->OnLButtonUp(event.a, event.b); break;
    case 4: m_pScene->OnKeyDown(event.a, 0); break;
    case 5: m_pScene->OnKeyUp(event.a, 0); break;
    default: break;  // unknown kinds are skipped; their time still counts
    }
    if (run != m_nPlaybackRun || !m_bPlaying) return 0;

    ++m_nEvent;
    const std::vector<SessionEvent>& events = m_pCut->events;
    if (static_cast<size_t>(m_nEvent) < events.size()) {
        m_pEvent = &events[static_cast<size_t>(m_nEvent)];
        m_nCutChain = 0;
        const SessionEvent& played = events[static_cast<size_t>(m_nEvent) - 1];
        m_pRecordPalette->TimerWindow().SetTimer(kPlaybackTimer, EventGapMs(played, *m_pEvent));
        return 1;
    }
    if (m_nPlayAllMode == kPlayOneCut) {
        StopPlayback();
        return 0;
    }
    // Cuts that end as soon as they start (one event each) would chain into
    // one another for ever in random order: after a list's worth of them,
    // the next cut waits for a timer tick so the message loop runs.
    if (m_nCutChain >= kTrackCount) {
        m_bNextCutDue = true;
        m_pRecordPalette->TimerWindow().SetTimer(kPlaybackTimer, 0);
        return 1;
    }
    ++m_nCutChain;
    PlayNextCut();
    return 1;
}

void CSession::PlayNextCut() {
    const size_t count = m_playList.size();
    if (count == 0 || m_pRecordPalette == nullptr) {
        StopPlayback();
        return;
    }
    if (m_nPlayAllMode == kPlayAllRandom) {
        m_nPlayListPos = static_cast<int>(static_cast<unsigned>(Random()) % count);  // repeats allowed
    } else if (static_cast<size_t>(++m_nPlayListPos) >= count) {
        StopPlayback();
        return;
    }
    m_pCut = m_playList[static_cast<size_t>(m_nPlayListPos)];
    m_nEvent = 0;
    m_pEvent = &m_pCut->events.front();
    if (m_pCut->world == m_pRecordPalette->World()) {
        StartCut(m_nPlayListPos);
    } else {
        SwitchWorld(m_pCut->world, m_nPlayListPos);
    }
}

void CSession::StopPlayback() { EndPlayback(true); }

void CSession::EndPlayback(bool resizePalette) {
    // Playback confined the pointer to the compact palette.
    if (plat::WindowSystem* windows = plat::GetHost().windows) windows->ClipCursor(nullptr);
    if (m_pRecordPalette != nullptr) m_pRecordPalette->TimerWindow().KillTimer(kPlaybackTimer);
    m_bPlaying = false;
    m_pEvent = nullptr;
    m_nEvent = 0;
    m_nPlayAllMode = kPlayOneCut;
    m_nPlayListPos = 0;
    m_playList.clear();
    m_bSwitchingWorld = false;
    m_bNextCutDue = false;
    m_nCutChain = 0;
    ++m_nPlaybackRun;
    if (m_pScene != nullptr) m_pScene->OnPlaybackEnded();
    if (resizePalette && m_pRecordPalette != nullptr) m_pRecordPalette->SetCompact(false);
}

int CSession::Resume(int resumeCut) {
    if (!m_bSwitchingWorld) return 0;
    m_bSwitchingWorld = false;
    if (m_pRecordPalette == nullptr) {
        EndPlayback(false);
        return 0;
    }
    if (m_playList.empty()) return PlayCut(resumeCut);
    if (m_pCut == nullptr || m_pEvent == nullptr) {
        StopPlayback();
        return 0;
    }
    // The play-all run goes on with the cut that caused the switch.
    m_nCutChain = 0;
    StartCut(resumeCut);
    return 1;
}

void CSession::RestoreDayArrangement() {
    if (m_pCut == nullptr || m_pCut->world != kDayWorld || !m_pCut->arrangement || m_pScene == nullptr) return;
    const DayArrangement* arrangement = m_pCut->arrangement.get();
    if (arrangement == m_pRestoredArrangement) return;
    m_pScene->ClearArrangement();
    m_pScene->RestoreArrangement(*arrangement);
    m_pRestoredArrangement = arrangement;
}
