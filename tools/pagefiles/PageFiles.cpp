#include "tools/pagefiles/PageFiles.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <fnmatch.h>
#include <fstream>
#include <iterator>
#include <map>
#include <nlohmann/json.hpp>
#include <set>
#include <span>
#include <stdexcept>

#include "audio/WavReader.h"
#include "tools/pagefiles/Gzip.h"
#include "tools/pagefiles/OggVorbis.h"

namespace pagefiles {

namespace fs = std::filesystem;

namespace {

// The worlds in the order of the hub's portals; the page fetches them so
// after the first pack, unless the program asks for another one first.
constexpr std::array<std::string_view, 5> kWorldOrder = {"star", "day", "kbot", "troid", "gama"};
// What the start-up picture, the general sounds and the hub read.
constexpr std::array<std::string_view, 2> kFirstFolders = {"all", "center"};
constexpr std::string_view kAssets = "/plinkpad/assets/";

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

std::vector<uint8_t> ReadAll(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in.good() && !in.eof()) throw std::runtime_error("cannot read " + file.string());
    return bytes;
}

void WriteAll(const fs::path& file, std::span<const uint8_t> bytes) {
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + file.string());
}

std::string Base64(std::span<const uint8_t> bytes) {
    static constexpr char kDigits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    for (size_t i = 0; i < bytes.size(); i += 3) {
        const size_t n = std::min<size_t>(3, bytes.size() - i);
        uint32_t v = uint32_t(bytes[i]) << 16;
        if (n > 1) v |= uint32_t(bytes[i + 1]) << 8;
        if (n > 2) v |= bytes[i + 2];
        for (size_t k = 0; k < 4; ++k) out += k <= n ? kDigits[(v >> (18 - 6 * k)) & 63] : '=';
    }
    return out;
}

// FNV-1a, 64 bits, as 16 hex digits: names a pack by its bytes.
std::string HashName(std::span<const uint8_t> bytes) {
    uint64_t h = 14695981039346656037ull;
    for (const uint8_t b : bytes) h = (h ^ b) * 1099511628211ull;
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(h));
    return text;
}

// One file on its way into a pack.
struct Packed {
    std::string path;
    std::vector<uint8_t> bytes;  // as it travels
    nlohmann::ordered_json entry;
};

// A 16-bit mono or stereo WAV file as Ogg Vorbis with its head (the bytes
// before the samples) and tail; false for any other file.
bool PackSound(const std::vector<uint8_t>& file, const Options& options, Packed& p) {
    audio::WavReader reader(file);
    audio::WavFormat format;
    std::span<const uint8_t> data;
    if (reader.ReadFormat(format) != audio::kWavOk || !audio::IsPlayablePcm(format) || format.bitsPerSample != 16 ||
        reader.FindData(data) != audio::kWavOk)
        return false;
    const size_t dataAt = static_cast<size_t>(data.data() - file.data());
    const size_t frames = data.size() / format.blockAlign;
    std::vector<int16_t> samples(frames * format.channels);
    for (size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<int16_t>(data[2 * i] | data[2 * i + 1] << 8);
    std::string error;
    if (!EncodeOggVorbis({samples, format.channels, static_cast<int>(format.samplesPerSec)}, options.vorbisQuality,
                         p.bytes, error))
        throw std::runtime_error(p.path + ": " + error);
    p.entry["kind"] = "vorbis";
    p.entry["channels"] = format.channels;
    p.entry["rate"] = format.samplesPerSec;
    p.entry["data"] = data.size();
    p.entry["head"] = Base64(std::span(file).first(dataAt));
    p.entry["tail"] = Base64(std::span(file).subspan(dataAt + data.size()));
    return true;
}

Packed PackFile(const fs::path& from, const std::string& to, const Options& options) {
    Packed p;
    p.path = to;
    const std::vector<uint8_t> file = ReadAll(from);
    p.entry["path"] = to;
    p.entry["size"] = file.size();
    if (Lower(from.extension().string()) == ".wav" && PackSound(file, options, p)) return p;
    p.bytes = Gzip(file);
    p.entry["kind"] = "gzip";
    return p;
}

}  // namespace

std::string PackOf(const std::string& pagePath, const std::vector<std::string>& later) {
    const std::string lower = Lower(pagePath);
    const size_t at = lower.find(kAssets);
    if (at == std::string::npos) return "first";
    const size_t from = at + kAssets.size(), end = lower.find('/', from);
    if (end == std::string::npos) return "first";
    const std::string folder = lower.substr(from, end - from);
    if (std::find(kFirstFolders.begin(), kFirstFolders.end(), folder) == kFirstFolders.end()) return folder;
    for (const std::string& pattern : later)
        if (fnmatch(pattern.c_str(), lower.c_str() + from, FNM_CASEFOLD) == 0) return folder;
    return "first";
}

bool PackComesBefore(const std::string& a, const std::string& b) {
    // The first pack, the hub's later files, the worlds in order, the rest.
    const auto rank = [](const std::string& name) {
        if (name == "first") return size_t{0};
        if (std::find(kFirstFolders.begin(), kFirstFolders.end(), name) != kFirstFolders.end()) return size_t{1};
        const auto at = std::find(kWorldOrder.begin(), kWorldOrder.end(), name);
        return at == kWorldOrder.end() ? kWorldOrder.size() + 2 : size_t(at - kWorldOrder.begin()) + 2;
    };
    const size_t ra = rank(a), rb = rank(b);
    return ra != rb ? ra < rb : a < b;
}

std::vector<fs::path> WritePageFiles(const std::vector<Source>& sources, const Options& options, const fs::path& out) {
    std::set<std::string> dirs;
    std::map<std::string, std::vector<Packed>> packs;
    const auto addDirsOf = [&dirs](std::string path) {
        for (size_t at = path.rfind('/'); at != std::string::npos && at > 0; at = path.rfind('/', at - 1))
            dirs.insert(path.substr(0, at));
    };
    for (const Source& s : sources) {
        if (!fs::is_directory(s.from)) {
            addDirsOf(s.to);
            packs["first"].push_back(PackFile(s.from, s.to, options));
            packs["first"].back().entry["early"] = true;
            continue;
        }
        std::vector<fs::path> entries;
        for (const auto& e : fs::recursive_directory_iterator(s.from)) entries.push_back(e.path());
        std::sort(entries.begin(), entries.end());
        dirs.insert(s.to);
        addDirsOf(s.to);
        for (const fs::path& e : entries) {
            const std::string to = s.to + "/" + fs::relative(e, s.from).generic_string();
            if (fs::is_directory(e)) {
                dirs.insert(to);
            } else {
                packs[PackOf(to, options.later)].push_back(PackFile(e, to, options));
            }
        }
    }

    fs::remove_all(out);
    fs::create_directories(out);
    std::vector<std::string> order;
    for (const auto& [name, files] : packs) order.push_back(name);
    std::sort(order.begin(), order.end(), PackComesBefore);

    nlohmann::ordered_json manifest;
    manifest["dirs"] = std::vector<std::string>(dirs.begin(), dirs.end());  // sorted: parents first
    manifest["packs"] = nlohmann::ordered_json::array();
    manifest["files"] = nlohmann::ordered_json::array();
    std::vector<fs::path> written;
    for (const std::string& name : order) {
        std::vector<uint8_t> bytes;
        for (Packed& p : packs[name]) {
            p.entry["pack"] = manifest["packs"].size();
            p.entry["at"] = bytes.size();
            p.entry["bytes"] = p.bytes.size();
            bytes.insert(bytes.end(), p.bytes.begin(), p.bytes.end());
            manifest["files"].push_back(std::move(p.entry));
        }
        const std::string file = name + "-" + HashName(bytes) + ".pack";
        WriteAll(out / file, bytes);
        written.push_back(out / file);
        manifest["packs"].push_back({{"name", name}, {"url", file}, {"bytes", bytes.size()}});
    }
    const std::string text = manifest.dump(1) + "\n";
    WriteAll(out / "files.json", std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
    written.push_back(out / "files.json");
    return written;
}

}  // namespace pagefiles
