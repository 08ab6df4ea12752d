// The video file writer on its own: what a player reads back from each
// format at the rates a render may have, sharp whole-pixel scaling, the
// pictures in their order, and a failure halfway that is reported.

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <cmath>
#include <csignal>
#include <random>
#include <filesystem>
#include <string>
#include <vector>

#include "app/render/video/VideoFileWriter.h"
#include "tests/video/VideoReader.h"

namespace {

namespace fs = std::filesystem;
using video::VideoFileOptions;
using video::VideoFileWriter;

constexpr int kWidth = 64, kHeight = 48, kScale = 3;
constexpr int kPictures = 15;  // half a second
constexpr uint32_t kRed = 0xC82828, kBlue = 0x2828C8, kWhite = 0xFFFFFF;
constexpr double kToneDb = -12;

fs::path Scratch(const std::string& name) {
    const fs::path dir = fs::path(PLINKPAD_BUILD_DIR) / "test-runs" / ("video-writer-" + name);
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}

// Picture n: red on the left, blue on the right, and a white line one pixel
// wide in the black band at the top, at x = n.
std::vector<uint32_t> Picture(int n) {
    std::vector<uint32_t> p(size_t(kWidth) * kHeight);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            uint32_t& px = p[size_t(y) * kWidth + size_t(x)];
            if (y < 16) px = x == n ? kWhite : 0;
            else px = x < kWidth / 2 ? kRed : kBlue;
        }
    return p;
}

// A 440 Hz tone at kToneDb RMS, in both channels.
std::vector<int16_t> Tone(int rate, int frames) {
    std::vector<int16_t> s(size_t(frames) * 2);
    const double peak = std::pow(10, kToneDb / 20) * std::sqrt(2.0) * 32767;
    for (int i = 0; i < frames; ++i)
        s[2 * size_t(i)] = s[2 * size_t(i) + 1] = int16_t(std::lround(peak * std::sin(2 * M_PI * 440 * i / rate)));
    return s;
}

int Channel(uint32_t px, int shift) { return int(px >> shift) & 0xFF; }

// The mean of a picture's colour over a rectangle of source pixels, scaled.
uint32_t MeanColour(const std::vector<uint32_t>& p, int x0, int y0, int x1, int y1) {
    const int w = kWidth * kScale;
    long r = 0, g = 0, b = 0, n = 0;
    for (int y = y0 * kScale; y < y1 * kScale; ++y)
        for (int x = x0 * kScale; x < x1 * kScale; ++x, ++n) {
            const uint32_t px = p[size_t(y) * size_t(w) + size_t(x)];
            r += Channel(px, 16), g += Channel(px, 8), b += Channel(px, 0);
        }
    return uint32_t(r / n) << 16 | uint32_t(g / n) << 8 | uint32_t(b / n);
}

TEST(VideoFileWriter, EveryFormatReadsBackWithItsCodecsSizeRateAndLength) {
    const fs::path dir = Scratch("formats");
    struct Case {
        const char* file;
        const char* videoCodec;
        const char* audioCodec;
        int rate;      // of the sound given
        int fileRate;  // of the file's sound
    } cases[] = {
        {"a.mp4", "h264", "aac", 48000, 48000},   {"b.mp4", "h264", "aac", 22050, 22050},
        {"c.mp4", "h264", "aac", 192000, 96000},  {"d.webm", "vp9", "opus", 48000, 48000},
        {"e.webm", "vp9", "opus", 44100, 48000},  {"f.mkv", "vp9", "opus", 8000, 48000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        VideoFileOptions options;
        options.width = kWidth;
        options.height = kHeight;
        options.scale = kScale;
        options.sampleRate = c.rate;
        const fs::path path = dir / c.file;
        VideoFileWriter writer(path.string(), *video::VideoFileFormatOf(c.file), options);
        ASSERT_TRUE(writer.IsOpen()) << writer.Error();
        // The sound in pieces of odd sizes, as a render hands it over, a
        // little longer than the pictures.
        const int frames = c.rate * kPictures / 30 + 7;
        const std::vector<int16_t> tone = Tone(c.rate, frames);
        for (int done = 0, piece = 1; done < frames; done += piece, piece = piece * 3 % 997 + 1) {
            piece = std::min(piece, frames - done);
            ASSERT_TRUE(writer.WriteSound(tone.data() + 2 * size_t(done), piece)) << writer.Error();
        }
        for (int n = 0; n < kPictures; ++n) ASSERT_TRUE(writer.WritePicture(Picture(n).data())) << writer.Error();
        ASSERT_TRUE(writer.Close()) << writer.Error();

        std::vector<double> times;
        for (int n = 0; n < kPictures; ++n) times.push_back((n + 0.5) / 30);
        const videotest::VideoFacts f = videotest::ReadVideo(path, times);
        ASSERT_EQ(f.error, "");
        EXPECT_EQ(f.video.codec, c.videoCodec);
        EXPECT_EQ(f.video.width, kWidth * kScale);
        EXPECT_EQ(f.video.height, kHeight * kScale);
        EXPECT_DOUBLE_EQ(f.video.frameRate, 30);
        EXPECT_EQ(f.video.decoded, kPictures);
        EXPECT_EQ(f.audio.codec, c.audioCodec);
        EXPECT_EQ(f.audio.channels, 2);
        EXPECT_EQ(f.audio.sampleRate, c.fileRate);
        EXPECT_NEAR(f.audio.seconds, double(frames) / c.rate, 1.0 / 30);
        EXPECT_NEAR(f.audio.levelDb, kToneDb, 1.0);

        for (int n = 0; n < kPictures; ++n) {
            SCOPED_TRACE("picture " + std::to_string(n));
            const std::vector<uint32_t>& p = f.pictures[size_t(n)];
            ASSERT_EQ(p.size(), size_t(kWidth * kScale * kHeight * kScale));
            // Picture n in place n, its line exactly kScale pixels wide with
            // black right beside it: no smoothing across the pixels' edges.
            const int w = kWidth * kScale, y = 8 * kScale;
            for (int x = n * kScale; x < (n + 1) * kScale; ++x)
                EXPECT_GT(Channel(p[size_t(y * w + x)], 8), 160) << "x " << x;
            if (n > 0) {
                EXPECT_LT(Channel(p[size_t(y * w + n * kScale - 1)], 8), 96);
            }
            EXPECT_LT(Channel(p[size_t(y * w + (n + 1) * kScale)], 8), 96);
            for (const auto& [colour, x0] : {std::pair{kRed, 0}, std::pair{kBlue, kWidth / 2}}) {
                const uint32_t mean = MeanColour(p, x0 + 4, 20, x0 + kWidth / 2 - 4, kHeight - 4);
                for (int shift : {16, 8, 0}) EXPECT_NEAR(Channel(mean, shift), Channel(colour, shift), 12);
            }
        }
    }
}

// The disk fills up halfway: the file is never reported finished. (The size
// limit stands for the disk; its signal would end the process.) Files that
// cannot be made at all are the render tests' refusals.
TEST(VideoFileWriter, AFileThatCannotBeWrittenWholeFailsWithTheReason) {
    VideoFileOptions options;
    options.width = kWidth;
    options.height = kHeight;
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit before{};
    getrlimit(RLIMIT_FSIZE, &before);
    const fs::path dir = Scratch("full");
    std::mt19937 random(1);
    for (const char* name : {"full.mp4", "full.webm"}) {
        SCOPED_TRACE(name);
        VideoFileWriter full((dir / name).string(), *video::VideoFileFormatOf(name), options);
        ASSERT_TRUE(full.IsOpen()) << full.Error();
        rlimit limit = before;
        limit.rlim_cur = 64 * 1024;
        setrlimit(RLIMIT_FSIZE, &limit);
        const std::vector<int16_t> tone = Tone(options.sampleRate, options.sampleRate / 30);
        std::vector<uint32_t> noise(size_t(kWidth) * kHeight);
        bool written = true;
        for (int n = 0; n < 60 && written; ++n) {
            for (uint32_t& px : noise) px = random() & 0xFFFFFF;  // pictures that do not compress
            written = full.WritePicture(noise.data()) && full.WriteSound(tone.data(), options.sampleRate / 30);
        }
        const bool finished = written && full.Close();
        setrlimit(RLIMIT_FSIZE, &before);
        EXPECT_FALSE(finished);
        EXPECT_NE(full.Error().find("File too large"), std::string::npos) << full.Error();
    }
}

}  // namespace
