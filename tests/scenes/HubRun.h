#pragma once
// Scripted runs of the real plinkpad program for the hub's tests. The drive
// the program gets is the generated disc when it already holds the hub's
// pictures; otherwise a scratch drive that links every generated folder and
// puts plain stand-in pictures and rectangular masks in the hub's picture
// folders, so the behaviour can be checked before the pictures exist. Points
// to click are found in the masks themselves, so they fit either drive.

#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "platform/Geometry.h"

namespace hubtest {

namespace fs = std::filesystem;

// Where a mask lies on the stage, and its host-independent path on the drive.
struct MaskAt {
    std::string file;  // relative to the drive, '/' separated
    plat::Point at;    // stage position of the mask's top-left corner
};

struct TraceLine {
    uint32_t ms;
    std::string text;
};

// The stage origin of the hub on the 640 x 480 screen.
inline constexpr plat::Point kHubOrigin{15, 7};

class HubDrive {
public:
    // The drive for this test program (made once).
    static const HubDrive& Get();
    // True when the generated disc holds the hub's pictures (no stand-ins).
    bool Complete() const { return complete_; }
    const fs::path& Root() const { return root_; }
    // A desktop point (640 x 480 screen, the stage at `origin`) that the mask
    // `m` accepts and none of `before` does (hit tests take the first in list
    // order).
    plat::Point PointIn(const MaskAt& m, const std::vector<MaskAt>& before = {}, plat::Point origin = kHubOrigin) const;

    // Whether any of `masks` accepts the desktop point p (stage at `origin`).
    bool Accepts(const std::vector<MaskAt>& masks, plat::Point p, plat::Point origin) const;

private:
    HubDrive();
    void MakeStandIns(const fs::path& disc);
    fs::path root_;
    bool complete_ = false;
};

// The scratch folder of the run `name` (under the build folder).
fs::path RunDir(const std::string& name);

// Runs the program headless with `script` on the drive; returns the trace.
// `name` names the scratch files (kept in RunDir(name) for a look after a
// failure). `extraArgs` are added to the command line as they stand (quote
// paths with single quotes).
std::vector<TraceLine> RunScript(const std::string& name, const std::string& script,
                                 const std::string& extraArgs = {});

// The trace texts (without times) that start with `prefix`, in order.
std::vector<std::string> Texts(const std::vector<TraceLine>& trace, const std::string& prefix);
// Index of the first line at or after `from` whose text starts with `prefix`; -1 if none.
int Find(const std::vector<TraceLine>& trace, const std::string& prefix, int from = 0);
// Index of the first line at or after `from` whose text is `text`; -1 if none.
int FindLine(const std::vector<TraceLine>& trace, const std::string& text, int from = 0);

// Index of the first "play" line at or after `from` that starts sound file
// `file` (or a duplicate of it); -1 if none.
int FindSound(const std::vector<TraceLine>& trace, const std::string& file, int from = 0);
// The sound file a "play" line starts; empty for other lines.
std::string SoundFile(const TraceLine& line);

// Masks of the hub (stage positions as the hub places them).
MaskAt HaloMask();
MaskAt GoMask();
MaskAt ControlMask(int id);  // 30, 34, 38, 60
MaskAt WorldMask(int id);    // 80..120
std::vector<MaskAt> HotspotMasks();  // in hit-test order
std::vector<MaskAt> HelpMasks();     // the 18 regions in order
MaskAt MenuHeadingMask(int group);   // 0 About, 1 File, 2 Volume
// A point inside an entry picture of the menu (entries are hit by rectangle).
plat::Point MenuEntryPoint(int group, int entry);
plat::Point MenuStripPoint();

}  // namespace hubtest
