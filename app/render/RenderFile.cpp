#include "app/render/RenderFile.h"

#include <optional>

#include "app/render/RenderCommand.h"
#include "app/render/VideoRenderFile.h"
#include "audio/file/SoundFileWriter.h"

namespace {

constexpr int kVideoFrameRate = 30;

class SoundRenderFile final : public RenderFile {
public:
    SoundRenderFile(const std::string& path, audio::SoundFileFormat format, int sampleRate)
        : writer_(path, format, sampleRate) {}
    bool IsOpen() const override { return writer_.IsOpen(); }
    bool Write(const int16_t* interleaved, int frames) override { return writer_.Write(interleaved, frames); }
    bool Close() override { return writer_.Close(); }
    const std::string& Error() const override { return writer_.Error(); }

private:
    audio::SoundFileWriter writer_;
};

video::VideoFileOptions VideoOptions(const RenderRequest& r, int sampleRate) {
    video::VideoFileOptions o;
    o.width = r.screenWidth;
    o.height = r.screenHeight;
    o.scale = r.scale != 0 ? r.scale : kDefaultVideoScale;
    o.frameRate = kVideoFrameRate;
    o.sampleRate = sampleRate;
    return o;
}

}  // namespace

std::string RenderFileProblem(const RenderRequest& r) {
    const bool sound = audio::SoundFileFormatOf(r.outPath).has_value();
    if (!sound && !video::VideoFileFormatOf(r.outPath))
        return r.outPath + ": unknown kind of file: the name must end in .wav, .flac or .ogg (sound), or .mp4, "
                           ".webm or .mkv (video)";
    if (sound) return r.scale != 0 ? r.outPath + ": --scale is for videos; a sound file has no picture" : "";
    const video::VideoFileOptions options = VideoOptions(r, 0);
    if (const std::string problem = video::VideoSizeProblem(options); !problem.empty())
        return "--scale " + std::to_string(options.scale) + " on a " + std::to_string(r.screenWidth) + "x" +
               std::to_string(r.screenHeight) + " screen: " + problem;
    return {};
}

std::unique_ptr<RenderFile> OpenRenderFile(const std::string& path, const RenderRequest& r, int sampleRate) {
    if (const std::optional<audio::SoundFileFormat> format = audio::SoundFileFormatOf(r.outPath))
        return std::make_unique<SoundRenderFile>(path, *format, sampleRate);
    return std::make_unique<VideoRenderFile>(path, *video::VideoFileFormatOf(r.outPath), VideoOptions(r, sampleRate));
}
