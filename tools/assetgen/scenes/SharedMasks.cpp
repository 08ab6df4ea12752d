// Masks shared by every world: the navigation bar's and the palette's.
#include "tools/assetgen/Builders.h"
#include "tools/assetgen/Folders.h"
#include "tools/assetgen/SharedShapes.h"

namespace ag {

void BuildSharedMasks(Album& album) {
    album.AddMask(dir::kNavMasks + "n1mk.bmp", NavButtonShape(0, 0), 0, 0, kNavButtonSize, kNavButtonSize);
    album.AddMask(dir::kNavMasks + "nxmk.bmp", NavButtonShape(0, 0), 0, 0, kNavButtonSize, kNavButtonSize);
    album.AddMask(dir::kNavMasks + "zzmk.bmp", ToggleShape(0, 0), 0, 0, kToggleW, kToggleH);

    const std::string& m = dir::kRecPalMasks;
    album.AddMask(m + "p01mk.bmp", RecordShape(), kRecPlayX, kRecPlayY, kRecPlaySize, kRecPlaySize);
    album.AddMask(m + "p02mk.bmp", PlayShape(), kRecPlayX, kRecPlayY, kRecPlaySize, kRecPlaySize);
    for (int i = 0; i < 6; ++i)
        album.AddMask(m + "p0" + std::to_string(i + 3) + "mk.bmp", TrackShape(0, 0), 0, 0, kTrackW, kTrackH);
    album.AddMask(m + "p09mk.bmp", StopShape(0, 0), 0, 0, kStopW, kStopH);
    album.AddMask(m + "p10mk.bmp", KnobShape(0, 0), 0, 0, kKnobW, kKnobH);
    album.AddMask(m + "p13mk.bmp", PadShape(0, 0), 0, 0, kPadSize, kPadSize);
}

}  // namespace ag
