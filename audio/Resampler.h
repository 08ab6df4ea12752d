#pragma once
// Band-limited conversion of stereo float frames from one rate to another:
// a polyphase windowed-sinc filter (Kaiser window) with one table of taps per
// phase of the reduced ratio of the two rates. Its pass band reaches 90 % of
// the lower rate's Nyquist frequency (10 kHz at 22050 Hz) and everything
// from 110 % on (where the images of a 22050 Hz sound lie) is at least 70 dB
// down. Streaming: Process pulls exactly the input it needs, so the output
// lags the input by half the filter (DelayFrames() input frames) and no more.
// Equal rates pass the frames through untouched, with no lag.
//
// Built (tables and history allocated) on the window thread; Process then
// runs on the device thread, with no allocation, lock or wait. The same
// arithmetic in the same order every time: the same input gives the same
// output bytes.

#include <cstdint>
#include <vector>

namespace audio {

class Resampler {
public:
    // Where Process takes its input from.
    class Source {
    public:
        virtual ~Source() = default;
        // Writes `frames` interleaved stereo frames (full scale 1.0) to `stereo`.
        virtual void Pull(float* stereo, int frames) = 0;
    };

    // Rates in frames per second, both above 0.
    Resampler(int inRate, int outRate);

    int InRate() const { return inRate_; }
    int OutRate() const { return outRate_; }
    // How far the output lags the input, in input frames (0 for equal rates).
    int DelayFrames() const { return passThrough_ ? 0 : halfTaps_; }

    // Writes `frames` interleaved stereo frames at the output rate.
    void Process(float* out, int frames, Source& source);

    // A whole sound of `frames` interleaved frames of `channels` (1 or 2)
    // 16-bit samples converted at once, with the filter's lag taken out:
    // about frames * outRate / inRate frames, rounded to 16 bits. Window thread.
    static std::vector<int16_t> ConvertSound(const int16_t* samples, uint32_t frames, int channels, int inRate,
                                             int outRate);

private:
    static constexpr int kMaxPhases = 2048;       // exact phases up to this many, else the nearest of this many
    static constexpr int kHistoryFrames = 1024;   // input frames pulled at most at a time

    void Produce(float* out, int frames);

    int inRate_;
    int outRate_;
    bool passThrough_;
    uint32_t up_ = 1;    // reduced ratio: every output frame steps down_ / up_ input frames
    uint32_t down_ = 1;
    int phases_ = 1;
    int halfTaps_ = 0;
    int taps_ = 0;
    std::vector<float> coefs_;    // phases_ rows of 2 * taps_: every tap twice, for left and right
    std::vector<float> history_;  // interleaved stereo input frames
    int first_ = 0;      // history frame under the first tap of the next output frame
    int have_ = 0;       // history frames filled
    uint32_t frac_ = 0;  // position between two input frames, in 1 / up_ of a frame
    int silent_ = 0;     // the last history frames that are silence (both channels 0)
};

}  // namespace audio
