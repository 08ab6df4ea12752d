#pragma once
// CSession: the one session record. It owns the six tracks of cuts and runs
// the recorder: recording input events into a cut and replaying cuts into the
// scene, one cut or all of them (in order or at random), following cuts into
// other worlds. The Record/Play palette drives it and gives it its timers;
// the stage view owns it and replaces it on New and Open. Window thread only.
//
// Lifetime rules (nothing may keep pointing at a deleted session or cut):
// - The palette and scenes reach the session through the view each time,
//   never through a stored pointer.
// - Before the view deletes or replaces the session (New, Open) it calls
//   StopAll() (before asking to save, so a running recording is saved too),
//   then hands the links over:
//     std::string error;
//     std::unique_ptr<CSession> loaded = CSession::Load(bytes, error);
//     if (!loaded) ...  // "Unable to load session!"; the current one stays
//     m_pSession->StopAll();
//     loaded->TakeLinksFrom(*m_pSession);
//     m_pSession = std::move(loaded);
//   New does the same with a fresh CSession(scene, palette, view).
// - The palette's ToggleRecordPalette calls Attach(scene, palette) once the
//   palette exists; a closing palette calls OnPaletteClosing() while its
//   window still exists.

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "recording/RecorderHooks.h"
#include "recording/codec/SessionData.h"

class CSession {
public:
    // A source of pseudo-random numbers 0..32767. Empty: the program's one
    // generator (audio::ProgramRandom()); tests pass their own.
    using RandomSource = std::function<int()>;

    static constexpr int kMaxEvents = 500;
    static constexpr int kPlaybackTimer = 666;
    static constexpr int kFlashTimer = 777;
    static constexpr int kPlayOneCut = 0;
    static constexpr int kPlayAllRandom = 111;
    static constexpr int kPlayAllInOrder = 222;
    static constexpr const char* kTrackFullMessage = "This track is full. Please click OK to stop recording.";

    // The links may be null (a session read from a file gets them later).
    // Reads the host clock for the start time, so a host must be set.
    CSession(RecorderScene* scene, RecorderPalette* palette, RecorderView* view, RandomSource random = {});
    CSession(const CSession&) = delete;
    CSession& operator=(const CSession&) = delete;
    // Deletes the cuts only; it touches no link (they may be gone already).
    ~CSession();

    // --- Links ---
    // The palette opened in `scene` (both may be null: palette closed).
    void Attach(RecorderScene* scene, RecorderPalette* palette);
    // Takes the view, the generator, the scene and the palette of `previous`,
    // the session this one replaces (New, Open). Call previous.StopAll() first.
    void TakeLinksFrom(const CSession& previous);
    // The palette is closing (Tab, its scene's control, a world switch). A
    // recording stops and keeps its events; a playback stops, except across a
    // world switch the recorder asked for, which the next palette resumes.
    // Forgets the palette and the scene.
    void OnPaletteClosing();
    // Ends any recording (keeping its events as the track's cut) and any
    // playback or pending world switch, and turns the palette full. The view
    // calls it before New and Open replace this session.
    void StopAll();

    // --- Files ---
    // The ".sts" bytes of the six tracks.
    std::vector<uint8_t> Encode() const;
    // The bytes from Encode are safely in a file: the session counts as saved.
    void MarkSaved() { m_bModified = false; }
    // A session read from ".sts" bytes, unlinked and unmodified; null with a
    // reason in `error` when the bytes are not a session file.
    static std::unique_ptr<CSession> Load(std::span<const uint8_t> bytes, std::string& error);
    // A session holding `tracks`, unlinked and unmodified.
    static std::unique_ptr<CSession> FromTracks(SessionTracks tracks);
    // Changed since it was created, loaded or last stored.
    bool IsModified() const { return m_bModified; }

    // --- Recording (n is a track number 1..6, track an index 0..5) ---
    void StartRecording(int n);
    // 1 stored; 0 not recording, or the track is full (the user was told and
    // the recording ended; the palette then calls StopRecording).
    int AddEvent(int kind, int a, int b);
    // 1 the cut was stored in its track; 0 the recording was empty.
    int StopRecording();
    // The cut of track 0..5; null when empty or out of range.
    const SessionCut* GetCut(int track) const;
    // Stores `cut` in `track`. A cut already there is deleted and `cut` kept
    // as it is; into an empty track a Day cut gets the Day scene's board.
    void SetCut(int track, std::unique_ptr<SessionCut> cut);
    // Renames the cut of `track` (the cut-name box's text, cut to 31 characters);
    // a new name counts as a change. 1 renamed; 0 no cut there.
    int RenameCut(int track, const std::string& name);
    // 1 removed; 0 the track was empty. A playback of the cut stops first.
    int ClearCut(int track);
    void ClearAll();

    // --- Playback ---
    // 1 started; 0 empty track, a cut that cannot be played (no events, or an
    // unknown world from a file), or a world switch under way. A cut of one
    // event has ended already when this returns 1: check IsPlaying().
    int PlayCut(int n);
    // Plays every playable cut, `random` non-zero: at random until stopped;
    // else in track order. 1 started (possibly over already: IsPlaying());
    // 0 no cut or a world switch under way.
    int PlayAll(int random);
    // Delivers the current event and schedules the next (timer 666, which the
    // palette kills before calling this). 1 going on; 0 ended.
    int PlayEvent();
    void PlayNextCut();
    void StopPlayback();
    // Called by the new palette once its buttons exist, with the view's
    // resume value: goes on with the cut (or play-list position) that caused
    // the world switch. 1 playing; 0 nothing was pending or it could not start.
    int Resume(int resumeCut);
    void RestoreDayArrangement();

    bool IsRecording() const { return m_bRecording; }
    bool IsPlaying() const { return m_bPlaying; }
    // A playback asked for another world and waits for its palette to resume it.
    bool IsSwitchingWorld() const { return m_bSwitchingWorld; }
    // The arrangement last restored into the Day scene (owned by its cut);
    // the Day scene reads it and clears it.
    const DayArrangement* RestoredArrangement() const { return m_pRestoredArrangement; }
    void ClearRestoredArrangement() { m_pRestoredArrangement = nullptr; }

private:
    static bool IsValidTrack(int track) { return track >= 0 && track < kTrackCount; }
    int Random() const;
    // Deletes the cut of `track`, forgetting its arrangement if it was the
    // restored one.
    void DeleteTrackCut(int track);
    // Asks the view to switch to `world` and resume there with `resumeCut`.
    void SwitchWorld(int world, int resumeCut);
    // Starts delivering the current cut in the palette's world.
    void StartCut(int light);
    // StopPlayback; `resizePalette` false when the palette is going away.
    void EndPlayback(bool resizePalette);

    RecorderScene* m_pScene = nullptr;
    RecorderPalette* m_pRecordPalette = nullptr;
    RecorderView* m_pView = nullptr;
    RandomSource m_random;
    SessionTracks m_tracks;
    std::unique_ptr<SessionCut> m_pRecordingCut;  // the cut being recorded, until stored
    SessionCut* m_pCut = nullptr;                 // the cut being recorded or played
    uint32_t m_dwStartTime = 0;
    const SessionEvent* m_pEvent = nullptr;
    int m_nEvent = 0;
    int m_nTrack = 0;
    int m_nPlayAllMode = kPlayOneCut;
    std::vector<SessionCut*> m_playList;  // not owned
    int m_nPlayListPos = 0;
    bool m_bPlaying = false;
    bool m_bRecording = false;
    bool m_bSwitchingWorld = false;  // a world switch was asked for and not resumed yet
    uint64_t m_nPlaybackRun = 0;     // counts StopPlayback calls, to notice one during delivery
    int m_nCutChain = 0;             // cuts started in a row without a timer wait
    bool m_bNextCutDue = false;      // the next timer tick starts the next cut
    const DayArrangement* m_pRestoredArrangement = nullptr;
    bool m_bModified = false;
};
