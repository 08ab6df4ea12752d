#include "recording/codec/SessionFile.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string_view>

#include "platform/text/Utf8.h"
#include "recording/codec/CodePage1252.h"

namespace {

constexpr uint16_t kNewClassTag = 0xFFFF;
constexpr uint16_t kSchema = 0;
constexpr std::string_view kClassName = "CSession";
// The archive refuses class names of this length or more.
constexpr uint16_t kMaxClassNameLength = 64;
constexpr size_t kNameFieldSize = 32;
constexpr size_t kEventSize = 16;
constexpr size_t kPieceSize = 12;

// --- Writing ---

class Writer {
public:
    void U16(uint16_t v) {
        out_.push_back(static_cast<uint8_t>(v));
        out_.push_back(static_cast<uint8_t>(v >> 8));
    }
    void U32(uint32_t v) {
        for (int shift = 0; shift < 32; shift += 8) out_.push_back(static_cast<uint8_t>(v >> shift));
    }
    void I32(int32_t v) { U32(static_cast<uint32_t>(v)); }
    void Bytes(const void* p, size_t n) {
        const auto* b = static_cast<const uint8_t*>(p);
        out_.insert(out_.end(), b, b + n);
    }
    void Zeros(size_t n) { out_.insert(out_.end(), n, 0); }
    std::vector<uint8_t> Take() { return std::move(out_); }

private:
    std::vector<uint8_t> out_;
};

void WriteCut(Writer& w, const SessionCut& cut) {
    w.I32(cut.world);
    w.I32(static_cast<int32_t>(cut.events.size()));
    for (const SessionEvent& e : cut.events) {
        w.U32(e.time);
        w.I32(e.kind);
        w.I32(e.a);
        w.I32(e.b);
    }
    if (cut.arrangement) {
        w.U32(1);
        w.I32(cut.arrangement->set);
        w.I32(static_cast<int32_t>(cut.arrangement->pieces.size()));
        for (const ArrangementPiece& p : cut.arrangement->pieces) {
            w.I32(p.x);
            w.I32(p.y);
            w.I32(p.id);
        }
    } else {
        w.U32(0);
    }
    // The text up to its first NUL, at most 31 characters of the code page,
    // then zeros to 32 bytes.
    const std::string_view text(cut.name.data(), std::min(cut.name.size(), cut.name.find('\0')));
    const std::string bytes = Utf8ToCodePage1252(plat::FirstCodePoints(text, kMaxCutNameLength));
    w.Bytes(bytes.data(), bytes.size());
    w.Zeros(kNameFieldSize - bytes.size());
}

// --- Reading ---

class Reader {
public:
    explicit Reader(std::span<const uint8_t> bytes) : bytes_(bytes) {}

    size_t Offset() const { return pos_; }
    size_t Left() const { return bytes_.size() - pos_; }

    bool U16(uint16_t& v) {
        if (Left() < 2) return false;
        v = static_cast<uint16_t>(bytes_[pos_] | bytes_[pos_ + 1] << 8);
        pos_ += 2;
        return true;
    }
    bool U32(uint32_t& v) {
        if (Left() < 4) return false;
        v = 0;
        for (int i = 3; i >= 0; --i) v = v << 8 | bytes_[pos_ + i];
        pos_ += 4;
        return true;
    }
    bool I32(int32_t& v) {
        uint32_t u;
        if (!U32(u)) return false;
        v = static_cast<int32_t>(u);
        return true;
    }
    bool Bytes(size_t n, std::span<const uint8_t>& out) {
        if (Left() < n) return false;
        out = bytes_.subspan(pos_, n);
        pos_ += n;
        return true;
    }

private:
    std::span<const uint8_t> bytes_;
    size_t pos_ = 0;
};

// Fills `error` with "offset N: what" and returns false.
bool Fail(std::string& error, size_t offset, const std::string& what) {
    error = "offset " + std::to_string(offset) + ": " + what;
    return false;
}

bool ReadHeader(Reader& r, std::string& error) {
    uint16_t tag, schema, nameLength;
    if (!r.U16(tag)) return Fail(error, r.Offset(), "file too short for the class header");
    if (tag != kNewClassTag) {
        char hex[8];
        std::snprintf(hex, sizeof hex, "0x%04X", tag);
        return Fail(error, 0, std::string("class tag ") + hex + ", expected 0xFFFF");
    }
    if (!r.U16(schema) || !r.U16(nameLength)) return Fail(error, r.Offset(), "file too short for the class header");
    if (nameLength >= kMaxClassNameLength)
        return Fail(error, 4, "class name length " + std::to_string(nameLength) + " is 64 or more");
    std::span<const uint8_t> name;
    if (!r.Bytes(nameLength, name)) return Fail(error, r.Offset(), "file ends inside the class name");
    const std::string_view nameText(reinterpret_cast<const char*>(name.data()), name.size());
    if (nameText != kClassName) {
        std::string shown;  // the file's bytes, made safe to print
        for (char c : nameText) shown += c >= 0x20 && c < 0x7F ? c : '?';
        return Fail(error, 6, "class is \"" + shown + "\", not \"CSession\"");
    }
    if (schema != kSchema) return Fail(error, 2, "schema " + std::to_string(schema) + " is not 0");
    return true;
}

// Reads a count of records of `recordSize` bytes. A negative count reads as
// none, as other readers of the format take it; a count whose records cannot
// fit in the bytes left fails before anything is made.
bool ReadCount(Reader& r, size_t recordSize, const std::string& what, int32_t& count, std::string& error) {
    const size_t at = r.Offset();
    if (!r.I32(count)) return Fail(error, at, "file ends before the " + what + " count");
    count = std::max(count, 0);
    if (static_cast<size_t>(count) > r.Left() / recordSize)
        return Fail(error, at,
                    what + " count " + std::to_string(count) + " needs " +
                        std::to_string(static_cast<uint64_t>(count) * recordSize) + " bytes, only " +
                        std::to_string(r.Left()) + " left");
    return true;
}

bool ReadArrangement(Reader& r, DayArrangement& arrangement, std::string& error) {
    int32_t count;
    if (!r.I32(arrangement.set)) return Fail(error, r.Offset(), "file ends before the arrangement's set number");
    if (!ReadCount(r, kPieceSize, "piece", count, error)) return false;
    arrangement.pieces.resize(static_cast<size_t>(count));
    for (ArrangementPiece& p : arrangement.pieces) {
        r.I32(p.x);  // the count check above guarantees the bytes
        r.I32(p.y);
        r.I32(p.id);
    }
    return true;
}

bool ReadCut(Reader& r, SessionCut& cut, std::string& error) {
    int32_t count;
    if (!r.I32(cut.world)) return Fail(error, r.Offset(), "file ends before the cut's world");
    if (!ReadCount(r, kEventSize, "event", count, error)) return false;
    cut.events.resize(static_cast<size_t>(count));
    for (SessionEvent& e : cut.events) {
        r.U32(e.time);  // the count check above guarantees the bytes
        r.I32(e.kind);
        r.I32(e.a);
        r.I32(e.b);
    }
    uint32_t hasArrangement;
    if (!r.U32(hasArrangement)) return Fail(error, r.Offset(), "file ends before the arrangement word");
    if (hasArrangement != 0) {
        cut.arrangement = std::make_unique<DayArrangement>();
        if (!ReadArrangement(r, *cut.arrangement, error)) return false;
    }
    std::span<const uint8_t> name;
    if (!r.Bytes(kNameFieldSize, name)) return Fail(error, r.Offset(), "file ends inside the cut's name");
    // The text ends at the first NUL; without one, at 31 bytes (the last byte
    // of the field is the terminator's place).
    const auto* text = reinterpret_cast<const char*>(name.data());
    cut.name = CodePage1252ToUtf8(std::string_view(text, strnlen(text, kMaxCutNameLength)));
    return true;
}

}  // namespace

std::vector<uint8_t> WriteSessionFile(const SessionTracks& tracks) {
    Writer w;
    w.U16(kNewClassTag);
    w.U16(kSchema);
    w.U16(static_cast<uint16_t>(kClassName.size()));
    w.Bytes(kClassName.data(), kClassName.size());
    for (const auto& cut : tracks) {
        w.U32(cut ? 1 : 0);
        if (cut) WriteCut(w, *cut);
    }
    return w.Take();
}

bool ReadSessionFile(std::span<const uint8_t> bytes, SessionTracks& tracks, std::string& error) {
    for (auto& cut : tracks) cut.reset();
    Reader r(bytes);
    if (!ReadHeader(r, error)) return false;
    SessionTracks loaded;
    for (int track = 0; track < kTrackCount; ++track) {
        uint32_t present;
        if (!r.U32(present))
            return Fail(error, r.Offset(), "file ends before track " + std::to_string(track + 1));
        if (present == 0) continue;
        auto cut = std::make_unique<SessionCut>();
        if (!ReadCut(r, *cut, error)) {
            error = "track " + std::to_string(track + 1) + ", " + error;
            return false;
        }
        loaded[static_cast<size_t>(track)] = std::move(cut);
    }
    tracks = std::move(loaded);
    return true;
}

bool LoadSessionFile(const std::string& path, SessionTracks& tracks, std::string& reason) {
    // Only regular files: reading a folder throws, and a pipe could block.
    std::error_code ec;
    std::ifstream in;
    if (std::filesystem::is_regular_file(path, ec)) in.open(path, std::ios::binary);
    std::vector<uint8_t> bytes;
    if (in) bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (!in.is_open() || !in) {
        reason = "cannot read the file";
        return false;
    }
    std::string error;
    if (!ReadSessionFile(bytes, tracks, error)) {
        reason = "not a session file: " + error;
        return false;
    }
    return true;
}
