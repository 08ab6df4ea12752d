#pragma once
// A scene's tables as data: its hot-spots (kind, id, position, pictures and
// masks), its sounds (id, file, pan) and its background loops. The builders
// load everything through the scene's folders and step the busy cursor once
// per row, as every scene's loading does. Window thread only.

#include <memory>
#include <span>

namespace plat {
class Bitmap;
}  // namespace plat

class CDIBButton;
class CScene;

enum class SpotKind {
    Simple,     // up picture, mask
    Dual,       // up picture, mask a, and mask b hit while lit
    Highlight,  // up picture, mask, and a highlight picture at its own place
    Multi,      // mask tested at the position; pictures by level
    ThreeImage, // the pictures of looks 1..3 (more[0..2], null: none), mask
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
    SpotPicture more[3] = {};        // Highlight: [0] the highlight; Multi: the pictures;
                                     // ThreeImage: the looks' files
    bool sharedMask = false;         // the mask is one of the disc's shared masks (CScene::LoadSharedMask)
};

// Whether hot-spot or sound `id` lies in first..last (both included): the
// scenes choose behaviour by id range.
constexpr bool IdInRange(int id, int first, int last) { return id >= first && id <= last; }

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

// A picture several hot-spots show, loaded once by the scene, which keeps it
// while the hot-spots live (null when it failed to load).
struct SharedPicture {
    const char* file;
    plat::Bitmap* bitmap;
};

// The hot-spot of one row, its pictures and mask loaded. A Highlight row
// whose highlight file is one of `shared` shows that bitmap (not owned)
// instead of a copy of its own.
std::unique_ptr<CDIBButton> MakeHotspot(const CScene& scene, const SpotSpec& spot,
                                        std::span<const SharedPicture> shared = {});
// Appends a hot-spot per row to scene.m_hotspots, in row order.
void BuildHotspots(CScene& scene, std::span<const SpotSpec> spots, std::span<const SharedPicture> shared = {});
// Loads a sound per row into the engine (the caller checks it is ready).
void LoadSounds(CScene& scene, std::span<const SoundSpec> sounds);
// Registers the loops (disc audio folder); one busy-cursor step at the end.
void RegisterLoops(CScene& scene, std::span<const LoopSpec> loops);
