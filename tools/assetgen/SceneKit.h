#pragma once
// Draws one scene from its description: the background first (with every
// hot-spot at rest), then each picture as a window of that background with the
// picture's own look drawn over it (pixels left undrawn become the key colour),
// then the masks from the same shapes.

#include <functional>
#include <string>

#include "tools/assetgen/Album.h"
#include "tools/assetgen/canvas/Canvas.h"
#include "tools/assetgen/canvas/Shapes.h"

namespace ag {

class SceneKit {
public:
    SceneKit(Album& album, int width, int height, Col fill = {});
    Canvas& Back() { return back_; }
    Album& GetAlbum() { return album_; }

    void SaveBackground(const std::string& path);
    // A w x h button picture whose top-left scene point is (x, y).
    void Picture(const std::string& path, int x, int y, int w, int h, const std::function<void(Canvas&)>& draw,
                 float threshold = 0.3f);
    // A picture that keeps all of its window (no transparent pixels).
    void Opaque(const std::string& path, int x, int y, int w, int h, const std::function<void(Canvas&)>& draw);
    void Mask(const std::string& path, int x, int y, int w, int h, const Shape& s);

private:
    Album& album_;
    Canvas back_;
};

// Shared drawing helpers.
void Bevel(Canvas& c, const Shape& s, Col base, float light = 1.35f, float dark = 0.6f);
void Sparkle(Canvas& c, float cx, float cy, float r, Col col);
void Label(Canvas& c, const std::string& text, float x, float y, int px, Col col, Col outline, bool bold = true);
// Width in pixels of text in the given size.
int TextWidth(const std::string& text, int px, bool bold = true);
// Wraps text to lines at most `width` pixels wide.
std::vector<std::string> Wrap(const std::string& text, int px, int width, bool bold = false);

}  // namespace ag
