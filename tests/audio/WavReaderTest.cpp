#include <gtest/gtest.h>

#include <functional>

#include "AudioTestSupport.h"
#include "audio/WavReader.h"

namespace audio {
namespace {

using audiotest::ConstantWav;
using audiotest::Put16;
using audiotest::Put32;
using audiotest::PutTag;

// Byte offsets in the files MakeWav writes.
constexpr size_t kRiffSize = 4, kFmtSize = 16, kFormatTag = 20, kChannels = 22, kAvgBytes = 28, kBlockAlign = 32,
                 kBits = 34, kDataTag = 36, kDataSize = 40;

void Set16(std::vector<uint8_t>& w, size_t at, uint16_t x) {
    w[at] = static_cast<uint8_t>(x);
    w[at + 1] = static_cast<uint8_t>(x >> 8);
}
void Set32(std::vector<uint8_t>& w, size_t at, uint32_t x) {
    Set16(w, at, x & 0xFFFF);
    Set16(w, at + 2, x >> 16);
}

// A non-PCM file whose "fmt " chunk holds `fmtSize` bytes with an extra count of `extra`.
std::vector<uint8_t> NonPcm(uint32_t fmtSize, uint16_t extra) {
    std::vector<uint8_t> w;
    PutTag(w, "RIFF");
    Put32(w, 0);
    PutTag(w, "WAVE");
    PutTag(w, "fmt ");
    Put32(w, fmtSize);
    Put16(w, 2);  // not PCM
    Put16(w, 1);
    Put32(w, 22050);
    Put32(w, 11025);
    Put16(w, 256);
    Put16(w, 4);
    if (fmtSize >= 18) Put16(w, extra);
    while (w.size() < 20 + fmtSize) w.push_back(0);
    PutTag(w, "data");
    Put32(w, 4);
    Put32(w, 0);
    Set32(w, kRiffSize, static_cast<uint32_t>(w.size() - 8));
    return w;
}

TEST(WavReader, GoodAndBrokenFiles) {
    using Edit = std::function<void(std::vector<uint8_t>&)>;
    struct Case {
        const char* name;
        Edit edit;
        int format;    // ReadFormat's result
        int data;      // FindData's result (when the format was read)
        bool playable;
    } cases[] = {
        {"good", [](auto&) {}, kWavOk, kWavOk, true},
        {"odd-sized chunk before fmt, padded",
         [](auto& w) {
             std::vector<uint8_t> list;
             PutTag(list, "LIST");
             Put32(list, 3);
             list.insert(list.end(), {'a', 'b', 'c', 0});
             w.insert(w.begin() + 12, list.begin(), list.end());
             Set32(w, kRiffSize, static_cast<uint32_t>(w.size() - 8));
         },
         kWavOk, kWavOk, true},
        {"empty file", [](auto& w) { w.clear(); }, kWavNotWave, 0, false},
        {"header cut short", [](auto& w) { w.resize(11); }, kWavNotWave, 0, false},
        {"not RIFF", [](auto& w) { w[0] = 'X'; }, kWavNotWave, 0, false},
        {"not WAVE", [](auto& w) { w[8] = 'A'; }, kWavNotWave, 0, false},
        {"RIFF size past the end", [](auto& w) { Set32(w, kRiffSize, 0xFFFFFFF0u); }, kWavCorrupt, 0, false},
        {"fmt size past the end", [](auto& w) { Set32(w, kFmtSize, 0x7FFFFFFFu); }, kWavCorrupt, 0, false},
        {"no fmt chunk", [](auto& w) { w[12] = 'x'; }, kWavNotWave, 0, false},
        {"fmt too small", [](auto& w) { Set32(w, kFmtSize, 14); }, kWavNotWave, 0, false},
        {"data size past the end", [](auto& w) { Set32(w, kDataSize, 0xFFFFFFFFu); }, kWavOk, kWavCorrupt, false},
        {"data cut short", [](auto& w) { w.resize(w.size() - 1); Set32(w, kRiffSize, w.size() - 8); }, kWavOk,
         kWavCorrupt, false},
        {"no data chunk", [](auto& w) { w[kDataTag] = 'D'; }, kWavOk, kWavNoData, false},
        {"zero block alignment", [](auto& w) { Set16(w, kBlockAlign, 0); }, kWavOk, kWavOk, false},
        {"zero bytes per second", [](auto& w) { Set32(w, kAvgBytes, 0); }, kWavOk, kWavOk, false},
        {"three channels", [](auto& w) { Set16(w, kChannels, 3); Set16(w, kBlockAlign, 6); }, kWavOk, kWavOk, false},
        {"24 bits", [](auto& w) { Set16(w, kBits, 24); Set16(w, kBlockAlign, 3); }, kWavOk, kWavOk, false},
        {"alignment not matching", [](auto& w) { Set16(w, kBlockAlign, 1); }, kWavOk, kWavOk, false},
        {"not PCM", [](auto& w) { Set16(w, kFormatTag, 3); }, kWavCannotRead, 0, false},
        {"non-PCM with extra bytes", [](auto& w) { w = NonPcm(20, 2); }, kWavOk, kWavOk, false},
        {"non-PCM extra count past the chunk", [](auto& w) { w = NonPcm(20, 3); }, kWavNotWave, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<uint8_t> file = ConstantWav(10, 100);
        c.edit(file);
        WavReader reader(file);
        WavFormat format;
        ASSERT_EQ(reader.ReadFormat(format), c.format);
        if (c.format != kWavOk) continue;
        std::span<const uint8_t> data;
        EXPECT_EQ(reader.FindData(data), c.data);
        EXPECT_EQ(IsPlayablePcm(format) && c.data == kWavOk, c.playable);
        if (c.data == kWavOk) {
            EXPECT_LE(data.data() + data.size(), file.data() + file.size());
        }
    }
}

TEST(WavReader, LengthIsDataBytesOverBytesPerSecond) {
    WavFormat f;
    f.avgBytesPerSec = 44100;
    EXPECT_EQ(WavLengthMs(f, 44100), 1000);
    EXPECT_EQ(WavLengthMs(f, 44099), 999);
    f.avgBytesPerSec = 1;
    EXPECT_EQ(WavLengthMs(f, 0xFFFFFFFFu), INT32_MAX);  // no overflow
    f.avgBytesPerSec = 0;
    EXPECT_EQ(WavLengthMs(f, 1000), 0);
}

}  // namespace
}  // namespace audio
