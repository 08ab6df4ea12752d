#pragma once
// Writes a video file of pictures and 16-bit stereo sound through FFmpeg's
// libraries (the only code that links them): H.264 and AAC in MP4, VP9 and
// Opus in WebM or Matroska. Pictures are scaled up by whole pixels, so every
// pixel stays a sharp square. One thread at a time.
//
// The caller keeps the two in step: a picture is shown for 1/frameRate
// seconds, and pictures and sound both start at the file's start.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace video {

enum class VideoFileFormat { Mp4, WebM, Matroska };

// The format a file name's extension asks for: ".mp4", ".webm" or ".mkv" in
// any case; none for any other name.
std::optional<VideoFileFormat> VideoFileFormatOf(const std::string& path);

struct VideoFileOptions {
    int width = 640;   // of the pictures given
    int height = 480;
    int scale = 2;     // each picture pixel becomes scale x scale pixels of the video
    int frameRate = 30;
    // Of the sound given. The file's is the same where its codec takes it,
    // else the next rate up that it takes (or its highest); Opus files are
    // always 48000 Hz.
    int sampleRate = 48000;
};

// Why a video of these options cannot be made (larger than 8K UHD, 7680 x
// 4320, or of odd width or height), or empty when it can.
std::string VideoSizeProblem(const VideoFileOptions& options);

class VideoFileWriter {
public:
    // Creates (or truncates) `path`; check IsOpen(), Error() says why not.
    VideoFileWriter(const std::string& path, VideoFileFormat format, const VideoFileOptions& options);
    // Frees everything; a file not closed is left unfinished.
    ~VideoFileWriter();
    VideoFileWriter(const VideoFileWriter&) = delete;
    VideoFileWriter& operator=(const VideoFileWriter&) = delete;

    bool IsOpen() const { return open_; }
    // Appends a picture of width x height pixels 0x00RRGGBB, rows top down,
    // shown for one frame. False (see Error()) when it could not be written,
    // and every later call fails too.
    bool WritePicture(const uint32_t* xrgb);
    // Appends interleaved stereo frames of sound; false as for WritePicture.
    bool WriteSound(const int16_t* interleaved, int frames);
    // Finishes and closes the file; false when it could not be finished.
    bool Close();
    const std::string& Error() const { return error_; }

private:
    struct Codecs;
    // The steps of opening; each says why it failed.
    bool OpenEncoders(const std::string& path, VideoFileFormat format);
    bool OpenConverters();
    bool OpenFile(const std::string& path, VideoFileFormat format);
    bool Fail(const std::string& what, int averror);
    bool EncodePicture(bool flush);
    bool EncodeSound(bool flush);

    std::unique_ptr<Codecs> c_;
    VideoFileOptions options_;
    bool open_ = false;
    std::string error_;
};

}  // namespace video
