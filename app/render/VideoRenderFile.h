#pragma once
// A render's video: the program's screen (pointer included) at a fixed frame
// rate, with the render's sound. The sound sets the pace: picture n shows the
// screen as it stands when the sound reaches n / frame rate seconds, so both
// streams start together and the pictures end within a frame of the sound.
// Window thread.

#include <cstdint>
#include <string>
#include <vector>

#include "app/render/RenderFile.h"
#include "app/render/video/VideoFileWriter.h"

class VideoRenderFile final : public RenderFile {
public:
    VideoRenderFile(const std::string& path, video::VideoFileFormat format, const video::VideoFileOptions& options);

    bool IsOpen() const override { return writer_.IsOpen(); }
    void Watch(plat::WindowSystem& screen) override { screen_ = &screen; }
    bool Write(const int16_t* interleaved, int frames) override;
    bool Close() override { return writer_.Close(); }
    const std::string& Error() const override { return error_.empty() ? writer_.Error() : error_; }

private:
    // The first sound frame at or after the time of picture `index`.
    uint64_t PictureStart(uint64_t index) const;

    video::VideoFileWriter writer_;
    video::VideoFileOptions options_;
    plat::WindowSystem* screen_ = nullptr;
    uint64_t soundFrames_ = 0;
    uint64_t pictures_ = 0;
    std::vector<uint32_t> xrgb_;
    std::string error_;
};
