#pragma once
// The file a render writes, by OUT's extension: a sound file (WAV, FLAC, Ogg
// Vorbis) or a video (MP4, WebM, Matroska) of the program's screen with the
// same sound. Window thread.

#include <cstdint>
#include <memory>
#include <string>

struct RenderRequest;

namespace plat {
class WindowSystem;
}

// A video's pixels per screen pixel when the request names none.
inline constexpr int kDefaultVideoScale = 2;

class RenderFile {
public:
    virtual ~RenderFile() = default;

    // False when it could not be created; Error() says why.
    virtual bool IsOpen() const = 0;
    // The screen a video shows from now on (not owned; it must outlive the
    // writes). A sound file takes no notice.
    virtual void Watch(plat::WindowSystem& screen) { (void)screen; }
    // Appends interleaved stereo frames of the program's sound; a video also
    // the screen, as it stands while they sound. False when they could not
    // all be written (Error() says why), and every later call fails too.
    virtual bool Write(const int16_t* interleaved, int frames) = 0;
    // Finishes and closes the file; false when it could not be finished.
    virtual bool Close() = 0;
    virtual const std::string& Error() const = 0;
};

// Why the render cannot write the file the request names, found before any
// work (an unknown extension, a scale for a sound file, a video too large),
// as the line to show; empty when it can.
std::string RenderFileProblem(const RenderRequest& request);

// Creates (or truncates) `path` for the file the request's OUT names (of a
// kind RenderFileProblem accepts), for sound at `sampleRate`; check IsOpen().
std::unique_ptr<RenderFile> OpenRenderFile(const std::string& path, const RenderRequest& request, int sampleRate);
