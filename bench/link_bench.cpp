// Session links (recording/link/SessionLink.h): how long the link of a
// session grows, and the time to make and to open one. Sessions are six cuts
// of made-up use: roll-overs at random points of the screen, clicks (down
// and up at one point) and key strokes, 30 to 630 ms apart. Random points
// pack worse than a person's, who returns to the same hot-spots, so the
// lengths are on the long side.
//
//   BM_Link*/N               six cuts of N events; link_chars counts the
//                            whole address under `make web-serve`
//   BM_LongestSessionInALink the most events (six equal cuts, to 1 %) whose
//                            link stays within Firefox's 1 MiB and
//                            Chromium's 2 MiB address limits
//   BM_DamagedLinks          of every one-character change to the link of a
//                            full session (6 x 500 events), the share that
//                            the decoder or the session reader refuses

#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <string>

#include "recording/codec/SessionFile.h"
#include "recording/link/SessionLink.h"

namespace {

constexpr char kPage[] = "http://localhost:8000/";
constexpr size_t kFirefoxLimit = 1 << 20;   // network.standard-url.max-length
constexpr size_t kChromiumLimit = 2 << 20;  // url::kMaxURLChars
constexpr int kRecordedEventsPerCut = 500;  // the recorder's most

std::vector<uint8_t> MadeUpSession(int eventsPerCut, uint32_t seed) {
    std::mt19937 rng(seed);
    auto below = [&rng](uint32_t n) { return static_cast<int32_t>(rng() % n); };
    SessionTracks tracks;
    for (int track = 0; track < kTrackCount; ++track) {
        auto cut = std::make_unique<SessionCut>();
        cut->world = track;
        cut->name = "Cut." + std::to_string(track + 1);
        uint32_t time = static_cast<uint32_t>(below(5000));
        while (static_cast<int>(cut->events.size()) < eventsPerCut) {
            time += 30 + static_cast<uint32_t>(below(600));
            const int32_t action = below(10);
            if (action < 7) {
                cut->events.push_back({time, 1, below(640), below(480)});
            } else if (action < 9) {
                const int32_t x = below(640), y = below(480);
                cut->events.push_back({time, 2, x, y});
                cut->events.push_back({time + 80 + static_cast<uint32_t>(below(70)), 3, x, y});
            } else {
                const int32_t key = 'A' + below(26);
                cut->events.push_back({time, 4, key, 0});
                cut->events.push_back({time + 100 + static_cast<uint32_t>(below(100)), 5, key, 0});
            }
        }
        cut->events.resize(static_cast<size_t>(eventsPerCut));
        tracks[static_cast<size_t>(track)] = std::move(cut);
    }
    return WriteSessionFile(tracks);
}

size_t AddressLength(const std::vector<uint8_t>& file) {
    std::string text, error;
    if (!EncodeSessionLink(file, text, error)) return SIZE_MAX;
    return SessionLinkAddress(kPage, text).size();
}

void BM_LinkEncode(benchmark::State& state) {
    const int events = static_cast<int>(state.range(0));
    const std::vector<uint8_t> file = MadeUpSession(events, 1);
    std::string text, error;
    for (auto _ : state) benchmark::DoNotOptimize(EncodeSessionLink(file, text, error));
    state.counters["file_bytes"] = double(file.size());
    state.counters["link_chars"] = double(SessionLinkAddress(kPage, text).size());
    state.counters["chars_per_event"] = double(text.size()) / (kTrackCount * events);
}
BENCHMARK(BM_LinkEncode)->Arg(50)->Arg(kRecordedEventsPerCut)->Arg(5000)->Unit(benchmark::kMillisecond);

void BM_LinkDecode(benchmark::State& state) {
    const std::vector<uint8_t> file = MadeUpSession(static_cast<int>(state.range(0)), 1);
    std::string text, error;
    EncodeSessionLink(file, text, error);
    std::vector<uint8_t> back;
    for (auto _ : state) benchmark::DoNotOptimize(DecodeSessionLink(text, back, error));
    if (back != file) state.SkipWithError("the link gave other bytes");
}
BENCHMARK(BM_LinkDecode)->Arg(50)->Arg(kRecordedEventsPerCut)->Arg(5000)->Unit(benchmark::kMillisecond);

// The most events a cut of six equal cuts may hold for the address to stay
// within `limit`, to 1 %: bisection from an estimate at 1000 events a cut,
// as every probe of the size sought compresses megabytes.
int LongestFitting(size_t limit) {
    const double perEvent = double(AddressLength(MadeUpSession(1000, 2))) / 1000;
    int fits = static_cast<int>(double(limit) / perEvent * 0.97);
    int fails = static_cast<int>(double(limit) / perEvent * 1.03);
    while (AddressLength(MadeUpSession(fits, 2)) > limit) fits = fits * 9 / 10;
    while (AddressLength(MadeUpSession(fails, 2)) <= limit) fails = fails * 11 / 10;
    while (fails - fits > fits / 100) {
        const int middle = fits + (fails - fits) / 2;
        (AddressLength(MadeUpSession(middle, 2)) <= limit ? fits : fails) = middle;
    }
    return fits;
}

void BM_LongestSessionInALink(benchmark::State& state) {
    int firefox = 0, chromium = 0;
    for (auto _ : state) {
        firefox = LongestFitting(kFirefoxLimit);
        chromium = LongestFitting(kChromiumLimit);
    }
    state.counters["events_1MiB"] = double(kTrackCount * firefox);
    state.counters["events_2MiB"] = double(kTrackCount * chromium);
    state.counters["full_session_link_chars"] = double(AddressLength(MadeUpSession(kRecordedEventsPerCut, 2)));
}
BENCHMARK(BM_LongestSessionInALink)->Iterations(1)->Unit(benchmark::kSecond);

void BM_DamagedLinks(benchmark::State& state) {
    std::string text, error;
    EncodeSessionLink(MadeUpSession(kRecordedEventsPerCut, 3), text, error);
    size_t refused = 0;
    for (auto _ : state) {
        refused = 0;
        for (size_t i = 0; i < text.size(); ++i) {
            std::string damaged = text;
            damaged[i] = damaged[i] == 'A' ? 'B' : 'A';
            std::vector<uint8_t> bytes;
            SessionTracks tracks;
            refused += !DecodeSessionLink(damaged, bytes, error) || !ReadSessionFile(bytes, tracks, error);
        }
    }
    state.counters["changes"] = double(text.size());
    state.counters["refused_pct"] = 100.0 * double(refused) / double(text.size());
}
BENCHMARK(BM_DamagedLinks)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
