#pragma once
// Writes 16-bit stereo sound to a WAV, FLAC or Ogg Vorbis file through
// libsndfile (the only code that links it). One thread at a time.
//
// The same frames always give the same bytes: Ogg streams get a fixed serial
// number instead of the random one the library picks.

#include <cstdint>
#include <optional>
#include <string>

struct sf_private_tag;

namespace audio {

enum class SoundFileFormat { Wav, Flac, OggVorbis };

// The format a file name's extension asks for: ".wav", ".flac" or ".ogg" in
// any case; none for any other name.
std::optional<SoundFileFormat> SoundFileFormatOf(const std::string& path);

class SoundFileWriter {
public:
    // Creates (or truncates) `path`; check IsOpen(), Error() says why not.
    SoundFileWriter(const std::string& path, SoundFileFormat format, int sampleRate);
    // Closes the file if Close was not called (its result is lost then).
    ~SoundFileWriter();
    SoundFileWriter(const SoundFileWriter&) = delete;
    SoundFileWriter& operator=(const SoundFileWriter&) = delete;

    bool IsOpen() const { return file_ != nullptr; }
    // Appends interleaved stereo frames; false (see Error()) when they could
    // not all be written, and every later call fails too.
    bool Write(const int16_t* interleaved, int frames);
    // Finishes and closes the file; false when it could not be finished.
    bool Close();
    const std::string& Error() const { return error_; }

private:
    std::string path_;
    SoundFileFormat format_;
    sf_private_tag* file_ = nullptr;
    std::string error_;
};

}  // namespace audio
