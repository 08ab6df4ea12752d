// How clean the mix is, measured on what the engine hands a 48000 Hz device:
// the images the rate conversion leaves of a pure tone, and the limiter
// under many loud sounds at once.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <iostream>

#include "AudioTestSupport.h"
#include "audio/Limiter.h"
#include "audio/SoundEngine.h"

namespace {

using audiotest::MakeWav;

constexpr double kPi = 3.14159265358979323846;
constexpr int kDeviceRate = 48000;

// A 16-bit mono WAV at 22050 Hz of `seconds` of a sine at `hz` and `amplitude` (full scale 1).
std::vector<uint8_t> ToneWav(double hz, double amplitude, double seconds, double phase = 0) {
    const int frames = static_cast<int>(seconds * 22050);
    std::vector<int16_t> samples(static_cast<size_t>(frames));
    for (int i = 0; i < frames; ++i)
        samples[i] = static_cast<int16_t>(std::lround(32767 * amplitude * std::sin(2 * kPi * hz * i / 22050 + phase)));
    return MakeWav({22050, 1, 16, samples});
}

// The amplitude of `hz` in the left channel of `stereo` frames [from, from + n)
// at `rate`, Hann window.
double Amplitude(const std::vector<int16_t>& stereo, int from, int n, double hz, int rate = kDeviceRate) {
    std::complex<double> sum = 0;
    double windowSum = 0;
    for (int i = 0; i < n; ++i) {
        const double w = 0.5 - 0.5 * std::cos(2 * kPi * i / n);
        sum += w * stereo[2 * static_cast<size_t>(from + i)] * std::polar(1.0, -2 * kPi * hz * i / rate);
        windowSum += w;
    }
    return 2 * std::abs(sum) / windowSum / 32768;
}

class MixQualityTest : public ::testing::Test {
protected:
    explicit MixQualityTest(int rate = kDeviceRate) {
        engine.SetAudioConfig({rate, 512});
        EXPECT_EQ(engine.Create(), 1);
    }
    void Play(int id, const std::vector<uint8_t>& wav) {
        const std::string path = "D:\\s" + std::to_string(id) + ".wav";
        host.files.files[path] = wav;
        auto sound = std::make_unique<CSound>(&engine, id);
        ASSERT_EQ(sound->Load(path), 1);
        engine.AddSound(std::move(sound));
        engine.PlaySound(id, 0);
    }
    audiotest::FakeHost host;
    CSoundEngine engine{1};
};

// The page may get 44100 Hz from the browser instead.
class MixQualityAtRate : public MixQualityTest, public ::testing::WithParamInterface<int> {
protected:
    MixQualityAtRate() : MixQualityTest(GetParam()) {}
};

// A tone below 10 kHz at 22050 Hz mirrors around 11025 Hz when converted;
// the image must stay 60 dB under the tone, and the tone keep its level.
TEST_P(MixQualityAtRate, TonesKeepTheirLevelAndTheirImagesStay60dBDown) {
    const int rate = GetParam();
    ASSERT_EQ(host.backend.opened.sampleRate, rate);
    const double tones[] = {1000, 5000, 9000, 9900};
    int id = 1;
    for (double hz : tones) {
        SCOPED_TRACE(testing::Message() << hz << " Hz");
        Play(id, ToneWav(hz, 0.5, 1.0));
        const std::vector<int16_t> out = host.backend.Render(rate);
        engine.RemoveSound(id++);
        const int from = rate / 4, n = rate / 2;  // the steady middle
        const double tone = Amplitude(out, from, n, hz, rate);
        const double imageDb = 20 * std::log10(Amplitude(out, from, n, 22050 - hz, rate) / tone);
        std::cout << "[ image ] " << hz << " Hz at 22050 Hz played at " << rate << " Hz: image at " << 22050 - hz
                  << " Hz " << imageDb << " dB\n";
        EXPECT_NEAR(20 * std::log10(tone / 0.5), 0.0, 0.1);
        EXPECT_LE(imageDb, -60.0);
    }
}
INSTANTIATE_TEST_SUITE_P(DeviceRates, MixQualityAtRate, ::testing::Values(48000, 44100));

// Many loud sounds at once: the limiter keeps every sample under -1 dBFS,
// so none reaches full scale, and glides instead of jumping.
TEST_F(MixQualityTest, ManyLoudSoundsStayUnderTheCeilingWithoutClipping) {
    std::vector<int16_t> out;
    for (int i = 0; i < 40; ++i) {
        Play(100 + i, ToneWav(110.0 * (1 + i % 7), 0.8, 0.5));
        const std::vector<int16_t> part = host.backend.Render(kDeviceRate / 100);  // a start every 10 ms
        out.insert(out.end(), part.begin(), part.end());
    }
    const std::vector<int16_t> rest = host.backend.Render(kDeviceRate);
    out.insert(out.end(), rest.begin(), rest.end());

    const int ceiling = static_cast<int>(std::ceil(audio::Limiter::kCeiling * 32768));
    int fullScale = 0, peak = 0, largestStep = 0;
    for (size_t i = 0; i < out.size(); ++i) {
        fullScale += out[i] == 32767 || out[i] == -32768;
        peak = std::max(peak, std::abs(int(out[i])));
        if (i >= 2) largestStep = std::max(largestStep, std::abs(out[i] - out[i - 2]));
    }
    std::cout << "[ limit ] 40 sounds at -1.9 dBFS: peak " << peak << ", largest step " << largestStep << "\n";
    EXPECT_EQ(fullScale, 0);
    EXPECT_LE(peak, ceiling);
    // Sines of at most 770 Hz under the ceiling step by 2 pi 770 / 48000 of
    // it at most; the gain adds at most ceiling / window a frame.
    const double window = audio::Limiter(kDeviceRate).LookAheadFrames() + 1;
    EXPECT_LE(largestStep, ceiling * (2 * kPi * 770 / kDeviceRate + 1 / window) * 1.05);
}

// The limiter itself, frame by frame: under the ceiling it passes the input
// bit for bit; over it, the gain is down in time for the loud frame and moves
// at most 1 / window a frame, and it comes back to exactly unity.
TEST(LimiterTest, GainGlidesDownInTimeAndBackToUnity) {
    audio::Limiter limiter(kDeviceRate);
    const int lookAhead = limiter.LookAheadFrames();
    const uint32_t maxStep = audio::Limiter::kUnity / static_cast<uint32_t>(lookAhead + 1) + 1;
    struct Burst {
        float level;  // of a square wave, full scale 1
        int frames;
    } bursts[] = {{0.5f, 2000}, {4.0f, 300}, {0.2f, 20000}, {1.5f, 1}, {0.8f, 60000}};
    std::vector<float> in;
    for (const Burst& b : bursts)
        for (int i = 0; i < b.frames; ++i) {
            const float v = (i / 50) % 2 == 0 ? b.level : -b.level;
            in.push_back(v);
            in.push_back(-v);
        }
    const int frames = static_cast<int>(in.size() / 2);
    in.resize(in.size() + 2 * static_cast<size_t>(lookAhead), 0.0f);
    std::vector<int16_t> out(in.size());
    uint32_t lastGain = limiter.Gain();
    const float ceiling = audio::Limiter::kCeiling * 32768;
    for (int f = 0; f < frames + lookAhead; ++f) {
        limiter.Process(&in[2 * static_cast<size_t>(f)], &out[2 * static_cast<size_t>(f)], 1);
        const uint32_t gain = limiter.Gain();
        ASSERT_LE(gain > lastGain ? gain - lastGain : lastGain - gain, maxStep) << f;
        lastGain = gain;
        if (f < lookAhead) continue;
        const float x = in[2 * static_cast<size_t>(f - lookAhead)] * 32768;
        ASSERT_LE(std::abs(out[2 * static_cast<size_t>(f)]), ceiling + 0.5f) << f;
        if (std::abs(x) <= ceiling && gain == audio::Limiter::kUnity) {
            ASSERT_EQ(out[2 * static_cast<size_t>(f)], std::lrint(x)) << f;
        }
    }
    EXPECT_EQ(limiter.Gain(), audio::Limiter::kUnity) << "back to unity after the quiet last burst";
    // The first quiet burst passed untouched.
    for (int f = 0; f < 2000 - 2 * lookAhead; ++f)
        ASSERT_EQ(out[2 * static_cast<size_t>(f + lookAhead)], std::lrint(in[2 * static_cast<size_t>(f)] * 32768));
}

}  // namespace
