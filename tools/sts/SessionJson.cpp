#include "tools/sts/SessionJson.h"

#include <cstdint>
#include <initializer_list>
#include <limits>

#include <nlohmann/json.hpp>

#include "platform/text/Utf8.h"

using nlohmann::json;

namespace {

// --- Writing ---

std::string Quote(const std::string& text) { return json(text).dump(-1, ' ', false, json::error_handler_t::replace); }

// "[1, 2, 3]"
template <typename... T>
std::string Row(T... values) {
    std::string out = "[";
    const char* separator = "";
    ((out += separator, out += std::to_string(values), separator = ", "), ...);
    return out + "]";
}

// Rows one a line, indented under their cut.
std::string Rows(const std::vector<std::string>& rows) {
    if (rows.empty()) return "[]";
    std::string out = "[";
    for (size_t i = 0; i < rows.size(); ++i) out += (i == 0 ? "\n    " : ",\n    ") + rows[i];
    return out + "\n  ]";
}

std::string CutToJson(const SessionCut& cut) {
    std::vector<std::string> events;
    for (const SessionEvent& e : cut.events) events.push_back(Row(e.time, e.kind, e.a, e.b));
    std::string out = "{\"world\": " + std::to_string(cut.world) + ", \"name\": " + Quote(cut.name) +
                      ", \"events\": " + Rows(events) + ", \"arrangement\": ";
    if (!cut.arrangement) return out + "null}";
    std::vector<std::string> pieces;
    for (const ArrangementPiece& p : cut.arrangement->pieces) pieces.push_back(Row(p.x, p.y, p.id));
    return out + "{\"set\": " + std::to_string(cut.arrangement->set) + ", \"pieces\": " + Rows(pieces) + "}}";
}

// --- Reading ---

class Parser {
public:
    explicit Parser(std::string& error) : error_(error) {}

    bool Fail(const std::string& where, const std::string& what) {
        error_ = where + ": " + what;
        return false;
    }

    // An object with exactly `keys`.
    bool Object(const json& v, const std::string& where, std::initializer_list<const char*> keys) {
        if (!v.is_object()) return Fail(where, "must be an object");
        for (const char* key : keys)
            if (!v.contains(key)) return Fail(where, std::string("missing \"") + key + "\"");
        for (const auto& item : v.items()) {
            bool known = false;
            for (const char* key : keys) known = known || item.key() == key;
            if (!known) return Fail(where, "unknown key \"" + item.key() + "\"");
        }
        return true;
    }

    // An integer within [lo, hi].
    bool Integer(const json& v, const std::string& where, int64_t lo, int64_t hi, int64_t& out) {
        if (!v.is_number_integer()) return Fail(where, "must be an integer");
        if (v.is_number_unsigned()) {
            const uint64_t u = v.get<uint64_t>();
            if (u > static_cast<uint64_t>(hi)) return Fail(where, std::to_string(u) + " is out of range");
            out = static_cast<int64_t>(u);
        } else {
            out = v.get<int64_t>();
        }
        if (out < lo || out > hi)
            return Fail(where, std::to_string(out) + " is out of range " + std::to_string(lo) + ".." + std::to_string(hi));
        return true;
    }
    bool Int32(const json& v, const std::string& where, int32_t& out) {
        int64_t wide;
        if (!Integer(v, where, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max(), wide))
            return false;
        out = static_cast<int32_t>(wide);
        return true;
    }
    bool Uint32(const json& v, const std::string& where, uint32_t& out) {
        int64_t wide;
        if (!Integer(v, where, 0, std::numeric_limits<uint32_t>::max(), wide)) return false;
        out = static_cast<uint32_t>(wide);
        return true;
    }

    // An array of `size` entries.
    bool Tuple(const json& v, const std::string& where, size_t size) {
        if (!v.is_array() || v.size() != size)
            return Fail(where, "must be an array of " + std::to_string(size) + " integers");
        return true;
    }
    // An array whose length fits the file's 32-bit count.
    bool List(const json& v, const std::string& where) {
        if (!v.is_array()) return Fail(where, "must be an array");
        if (v.size() > static_cast<size_t>(std::numeric_limits<int32_t>::max())) return Fail(where, "too many entries");
        return true;
    }

    bool Arrangement(const json& v, const std::string& where, DayArrangement& out) {
        if (!Object(v, where, {"set", "pieces"})) return false;
        if (!Int32(v["set"], where + ".set", out.set)) return false;
        const json& pieces = v["pieces"];
        if (!List(pieces, where + ".pieces")) return false;
        for (size_t i = 0; i < pieces.size(); ++i) {
            const std::string at = where + ".pieces[" + std::to_string(i) + "]";
            ArrangementPiece p;
            if (!Tuple(pieces[i], at, 3) || !Int32(pieces[i][0], at + "[0]", p.x) ||
                !Int32(pieces[i][1], at + "[1]", p.y) || !Int32(pieces[i][2], at + "[2]", p.id))
                return false;
            out.pieces.push_back(p);
        }
        return true;
    }

    bool Cut(const json& v, const std::string& where, SessionCut& out) {
        if (!Object(v, where, {"world", "name", "events", "arrangement"})) return false;
        if (!Int32(v["world"], where + ".world", out.world)) return false;
        const json& name = v["name"];
        if (!name.is_string()) return Fail(where + ".name", "must be a string");
        out.name = name.get<std::string>();
        if (out.name.find('\0') != std::string::npos) return Fail(where + ".name", "must not hold a NUL");
        if (const size_t length = plat::CodePointCount(out.name); length > kMaxCutNameLength)
            return Fail(where + ".name", std::to_string(length) + " characters, at most 31 fit");
        const json& events = v["events"];
        if (!List(events, where + ".events")) return false;
        for (size_t i = 0; i < events.size(); ++i) {
            const std::string at = where + ".events[" + std::to_string(i) + "]";
            SessionEvent e;
            if (!Tuple(events[i], at, 4) || !Uint32(events[i][0], at + "[0]", e.time) ||
                !Int32(events[i][1], at + "[1]", e.kind) || !Int32(events[i][2], at + "[2]", e.a) ||
                !Int32(events[i][3], at + "[3]", e.b))
                return false;
            out.events.push_back(e);
        }
        const json& arrangement = v["arrangement"];
        if (arrangement.is_null()) return true;
        out.arrangement = std::make_unique<DayArrangement>();
        return Arrangement(arrangement, where + ".arrangement", *out.arrangement);
    }

    bool Session(const json& doc, SessionTracks& out) {
        if (!Object(doc, "top level", {"tracks"})) return false;
        const json& tracks = doc["tracks"];
        if (!tracks.is_array()) return Fail("tracks", "must be an array");
        if (tracks.size() > kTrackCount)
            return Fail("tracks", std::to_string(tracks.size()) + " tracks, a session holds 6");
        for (size_t t = 0; t < tracks.size(); ++t) {
            if (tracks[t].is_null()) continue;
            auto cut = std::make_unique<SessionCut>();
            if (!Cut(tracks[t], "tracks[" + std::to_string(t) + "]", *cut)) return false;
            out[t] = std::move(cut);
        }
        return true;
    }

private:
    std::string& error_;
};

}  // namespace

std::string SessionToJson(const SessionTracks& tracks) {
    std::string out = "{\"tracks\": [\n";
    for (size_t t = 0; t < tracks.size(); ++t) {
        out += "  " + (tracks[t] ? CutToJson(*tracks[t]) : std::string("null"));
        out += t + 1 < tracks.size() ? ",\n" : "\n";
    }
    return out + "]}\n";
}

bool SessionFromJson(const std::string& text, SessionTracks& tracks, std::string& error) {
    for (auto& cut : tracks) cut.reset();
    json doc;
    try {
        doc = json::parse(text);
    } catch (const json::exception& e) {
        error = std::string("not valid JSON: ") + e.what();
        return false;
    }
    SessionTracks parsed;
    Parser parser(error);
    if (!parser.Session(doc, parsed)) return false;
    tracks = std::move(parsed);
    return true;
}
