#include "audio/file/SoundFileWriter.h"

#include <sndfile.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <vector>

#include "audio/file/OggSerial.h"

namespace audio {

namespace {

constexpr int kChannels = 2;
// Any fixed number does: the same sound then always gives the same file.
constexpr uint32_t kOggSerial = 0x706C6B70;

int SndfileFormat(SoundFileFormat format) {
    switch (format) {
        case SoundFileFormat::Wav: return SF_FORMAT_WAV | SF_FORMAT_PCM_16;
        case SoundFileFormat::Flac: return SF_FORMAT_FLAC | SF_FORMAT_PCM_16;
        case SoundFileFormat::OggVorbis: return SF_FORMAT_OGG | SF_FORMAT_VORBIS;
    }
    return 0;
}

bool FixOggSerial(const std::string& path, std::string& error) {
    std::vector<uint8_t> bytes;
    if (std::ifstream in(path, std::ios::binary); in)
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (!SetOggSerial(bytes, kOggSerial)) {
        error = "the Ogg stream just written cannot be read back";
        return false;
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        error = "cannot write the file again";
        return false;
    }
    return true;
}

}  // namespace

std::optional<SoundFileFormat> SoundFileFormatOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    const size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return std::nullopt;
    std::string ext = path.substr(dot + 1);
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    if (ext == "wav") return SoundFileFormat::Wav;
    if (ext == "flac") return SoundFileFormat::Flac;
    if (ext == "ogg") return SoundFileFormat::OggVorbis;
    return std::nullopt;
}

SoundFileWriter::SoundFileWriter(const std::string& path, SoundFileFormat format, int sampleRate)
    : path_(path), format_(format) {
    SF_INFO info{};
    info.samplerate = sampleRate;
    info.channels = kChannels;
    info.format = SndfileFormat(format);
    file_ = sf_open(path.c_str(), SFM_WRITE, &info);
    if (file_ == nullptr) error_ = sf_strerror(nullptr);
}

SoundFileWriter::~SoundFileWriter() {
    if (file_ != nullptr) sf_close(file_);
}

bool SoundFileWriter::Write(const int16_t* interleaved, int frames) {
    if (file_ == nullptr || !error_.empty()) return false;
    if (frames <= 0) return true;
    if (sf_writef_short(file_, interleaved, frames) != frames) {
        error_ = sf_strerror(file_);
        return false;
    }
    return true;
}

bool SoundFileWriter::Close() {
    if (file_ == nullptr) return false;
    const int closed = sf_close(file_);
    file_ = nullptr;
    if (!error_.empty()) return false;
    if (closed != 0) {
        error_ = sf_error_number(closed);
        return false;
    }
    return format_ != SoundFileFormat::OggVorbis || FixOggSerial(path_, error_);
}

}  // namespace audio
