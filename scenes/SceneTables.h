#pragma once
// A scene's tables as data: its hot-spots (kind, id, position, pictures and
// masks), its sounds (id, file, pan) and its background loops. The builders
// load everything through the scene's folders and step the busy cursor once
// per row, as every scene's loading does. Window thread only.

#include <span>

class CScene;

enum class SpotKind {
    Simple,     // up picture, mask
    Dual,       // up picture, mask a, and mask b hit while lit
    Highlight,  // up picture, mask, and a highlight picture at its own place
    Multi,      // mask tested at the position; pictures by level
};

struct SpotPicture {
    const char* file = nullptr;  // null: none
    int x = 0, y = 0;            // stage position
    int level = 0;               // Multi only
};

struct SpotSpec {
    int id;
    SpotKind kind;
    int x, y;                        // stage position
    const char* up;                  // Simple, Dual, Highlight: the lit picture
    const char* mask;                // the hit mask (Dual: the first)
    const char* altMask = nullptr;   // Dual: the mask hit while lit
    SpotPicture more[3] = {};        // Highlight: [0] the highlight; Multi: the pictures
    bool sharedMask = false;         // the mask is one of the disc's shared masks (CScene::LoadSharedMask)
};

struct SoundSpec {
    int id;
    const char* file;
    int pan = 0;          // 0: the centre
    bool random = false;  // one of the scene's random sounds
};

struct LoopSpec {
    int id;
    const char* file;
    int pan;
};

// Appends a hot-spot per row to scene.m_hotspots, in row order.
void BuildHotspots(CScene& scene, std::span<const SpotSpec> spots);
// Loads a sound per row into the engine (the caller checks it is ready).
void LoadSounds(CScene& scene, std::span<const SoundSpec> sounds);
// Registers the loops (disc audio folder); one busy-cursor step at the end.
void RegisterLoops(CScene& scene, std::span<const LoopSpec> loops);
