#pragma once
// Previews of the worlds for the documentation, composed from the pictures on
// a generated disc and the hot-spot layouts: the background as the stage shows
// it at rest, and the same with every hot-spot's lit picture drawn over it
// where it is not the key colour. Reads the disc; any thread.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "tools/assetgen/Layout.h"

namespace ag {

// 0x00RRGGBB pixels, top row first.
struct PreviewImage {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> xrgb;
};

// The stage of `scene` from the pictures below `discRoot` (file names found
// without regard to case): its background (and `extra` pictures at their
// stage positions first), then with `lit` every hot-spot's picture. Throws
// std::runtime_error naming the file when a picture is missing, unreadable,
// or uses another palette than the background.
struct PlacedPicture {
    std::string file;  // disc-relative
    int x = 0, y = 0;  // stage position
};
PreviewImage ComposePreview(const std::filesystem::path& discRoot, const SceneLayout& scene, bool lit,
                            const std::vector<PlacedPicture>& extra = {});

// Writes "<world>-rest.png" and "<world>-lit.png" of the worlds that have no
// screenshots yet into `outDir` (created if needed); returns the files written. Throws
// std::runtime_error on a missing picture or a file that cannot be written.
std::vector<std::filesystem::path> WriteWorldPreviews(const std::filesystem::path& discRoot,
                                                      const std::filesystem::path& outDir);

}  // namespace ag
