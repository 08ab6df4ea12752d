#include "app/render/VideoRenderFile.h"

#include "platform/window/WindowSystem.h"

VideoRenderFile::VideoRenderFile(const std::string& path, video::VideoFileFormat format,
                                 const video::VideoFileOptions& options)
    : writer_(path, format, options), options_(options) {}

uint64_t VideoRenderFile::PictureStart(uint64_t index) const {
    const uint64_t rate = uint64_t(options_.sampleRate), fps = uint64_t(options_.frameRate);
    return (index * rate + fps - 1) / fps;
}

bool VideoRenderFile::Write(const int16_t* interleaved, int frames) {
    if (!error_.empty()) return false;
    // The program does nothing while its sound is rendered: every picture due
    // in these frames shows the screen as it is now.
    while (PictureStart(pictures_) < soundFrames_ + uint64_t(frames)) {
        if (screen_ != nullptr) screen_->RenderFrame(xrgb_);
        if (xrgb_.size() != size_t(options_.width) * size_t(options_.height)) {
            error_ = "the screen is not the size of the video's pictures";
            return false;
        }
        if (!writer_.WritePicture(xrgb_.data())) return false;
        ++pictures_;
    }
    soundFrames_ += uint64_t(frames);
    return writer_.WriteSound(interleaved, frames);
}
