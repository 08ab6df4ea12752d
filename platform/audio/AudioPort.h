#pragma once
// The host's default sound output as a stream that can be opened and closed
// again, which is all ReopeningAudioDevice needs of a backend. Window thread.

#include "platform/audio/AudioDevice.h"

namespace plat {

class AudioPort {
public:
    virtual ~AudioPort() = default;
    // Opens the host's default output at `config`'s rate, pulling from
    // `source` on the host's audio thread until Close. Returns the frames
    // per callback the host chose, or 0 when no output can be opened now.
    virtual int Open(AudioSource& source, const AudioConfig& config) = 0;
    // Stops the stream; no Render runs once it returns. Closing a port that
    // is not open does nothing.
    virtual void Close() = 0;
};

}  // namespace plat
