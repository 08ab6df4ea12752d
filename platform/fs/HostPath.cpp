#include "platform/fs/HostPath.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <system_error>

#include "platform/fs/NoCase.h"

namespace plat {

namespace fs = std::filesystem;

namespace {

constexpr size_t kMaxDrives = 23;  // c..y; the host never looked at z

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// The host ignored trailing blanks and dots of a file name.
std::string_view StripTrailing(std::string_view s) {
    while (!s.empty() && (s.back() == ' ' || s.back() == '.')) s.remove_suffix(1);
    return s;
}

// The path part of a host name as clean components. "." and names that are
// empty once stripped stay in place; ".." goes up but never above the start,
// so a name cannot leave the directory it is resolved in.
std::vector<std::string> Components(std::string_view rest) {
    std::vector<std::string> parts;
    size_t i = 0;
    while (i <= rest.size()) {
        size_t j = i;
        while (j < rest.size() && !IsSeparator(rest[j])) ++j;
        std::string_view raw = rest.substr(i, j - i);
        if (raw == "..") {
            if (!parts.empty()) parts.pop_back();
        } else if (raw != ".") {
            std::string_view name = StripTrailing(raw);
            if (!name.empty()) parts.emplace_back(name);
        }
        i = j + 1;
    }
    return parts;
}

// The entry of `dir` that the host would have opened for `name`: the exact
// spelling if it exists, else the first (in name order) that matches without
// regard to case or trailing blanks and dots.
std::optional<fs::path> MatchEntry(const fs::path& dir, const std::string& name) {
    std::error_code ec;
    fs::path exact = dir / name;
    if (fs::exists(fs::symlink_status(exact, ec))) return exact;
    std::optional<fs::path> best;
    fs::directory_iterator it(dir, ec);
    if (ec) return std::nullopt;
    for (const fs::directory_entry& entry : it) {
        std::string entryName = entry.path().filename().string();
        if (!EqualNoCase(StripTrailing(entryName), name)) continue;
        if (!best || entryName < best->filename().string()) best = entry.path();
    }
    return best;
}

bool IsDir(const fs::path& p) {
    std::error_code ec;
    return fs::is_directory(p, ec);
}

// Subdirectories of `dir`, sorted; none when it cannot be listed.
std::vector<fs::path> SortedSubdirectories(const fs::path& dir) {
    std::vector<fs::path> out;
    std::error_code ec;
    fs::directory_iterator it(dir, ec);
    if (ec) return out;
    for (const fs::directory_entry& entry : it)
        if (IsDir(entry.path())) out.push_back(entry.path());
    std::sort(out.begin(), out.end());
    return out;
}

}  // namespace

HostPath::HostPath(std::vector<fs::path> candidates) : candidates_(std::move(candidates)) {
    if (candidates_.size() > kMaxDrives) candidates_.resize(kMaxDrives);
}

std::vector<fs::path> HostPath::DefaultCandidates(const fs::path& ownDisc) {
    std::vector<fs::path> out{ownDisc};
    auto addGroup = [&out](const fs::path& dir) {
        for (fs::path& p : SortedSubdirectories(dir))
            if (std::find(out.begin(), out.end(), p) == out.end()) out.push_back(std::move(p));
    };
    const char* user = std::getenv("USER");
    if (user != nullptr && *user != '\0' && std::string_view(user).find('/') == std::string_view::npos) {
        addGroup(fs::path("/media") / user);
        addGroup(fs::path("/run/media") / user);
    }
    addGroup("/media");
    addGroup("/mnt");
    if (out.size() > kMaxDrives) out.resize(kMaxDrives);
    return out;
}

std::vector<fs::path> HostPath::ParseList(std::string_view list) {
    std::vector<fs::path> out;
    size_t i = 0;
    while (i <= list.size()) {
        size_t j = list.find(':', i);
        if (j == std::string_view::npos) j = list.size();
        if (j > i) out.emplace_back(std::string(list.substr(i, j - i)));
        i = j + 1;
    }
    return out;
}

std::optional<HostPath::Located> HostPath::Locate(std::string_view hostName) const {
    if (hostName.empty() || hostName.find('\0') != std::string_view::npos) return std::nullopt;
    Located where;
    std::string_view rest = hostName;
    if (hostName.size() >= 2 && hostName[1] == ':') {
        char letter = plat::AsciiLower(hostName[0]);
        if (letter < 'c' || letter > 'y') return std::nullopt;
        size_t drive = static_cast<size_t>(letter - 'c');
        if (drive >= candidates_.size()) return std::nullopt;
        where.base = candidates_[drive];
        rest = hostName.substr(2);
    } else if (IsSeparator(hostName[0])) {
        where.base = "/";  // an install-relative name: absolute, used as given
    } else {
        std::error_code ec;
        where.base = fs::current_path(ec);
        if (ec) return std::nullopt;
    }
    where.parts = Components(rest);
    return where;
}

std::optional<fs::path> HostPath::Walk(const fs::path& base, const std::vector<std::string>& parts, size_t count) {
    fs::path at = base;
    for (size_t i = 0; i < count; ++i) {
        if (!IsDir(at)) return std::nullopt;
        std::optional<fs::path> next = MatchEntry(at, parts[i]);
        if (!next) return std::nullopt;
        at = std::move(*next);
    }
    std::error_code ec;
    if (!fs::exists(at, ec)) return std::nullopt;
    return at;
}

std::optional<fs::path> HostPath::Resolve(std::string_view hostName) const {
    std::optional<Located> where = Locate(hostName);
    if (!where) return std::nullopt;
    return Walk(where->base, where->parts, where->parts.size());
}

std::optional<fs::path> HostPath::ResolveForWrite(std::string_view hostName) const {
    std::optional<Located> where = Locate(hostName);
    if (!where || where->parts.empty()) return std::nullopt;
    std::optional<fs::path> parent = Walk(where->base, where->parts, where->parts.size() - 1);
    if (!parent || !IsDir(*parent)) return std::nullopt;
    const std::string& last = where->parts.back();
    if (std::optional<fs::path> existing = MatchEntry(*parent, last)) {
        if (IsDir(*existing)) return std::nullopt;
        return existing;
    }
    return *parent / last;
}

bool HostPath::IsDirectory(std::string_view hostName) const {
    std::optional<fs::path> p = Resolve(hostName);
    return p && IsDir(*p);
}

std::optional<std::vector<uint8_t>> HostPath::ReadFile(std::string_view hostName) const {
    std::optional<fs::path> p = Resolve(hostName);
    std::error_code ec;
    // Only regular files: a device or pipe could block the window thread.
    if (!p || !fs::is_regular_file(*p, ec)) return std::nullopt;
    std::ifstream in(*p, std::ios::binary);
    if (!in) return std::nullopt;
    std::vector<uint8_t> bytes;
    // The size is a hint only (the file may change while it is read).
    if (const uintmax_t size = fs::file_size(*p, ec); !ec && size < (uintmax_t{1} << 30))
        bytes.reserve(static_cast<size_t>(size));
    char chunk[65536];
    while (in.read(chunk, sizeof chunk) || in.gcount() > 0) {
        const auto* first = reinterpret_cast<const uint8_t*>(chunk);
        bytes.insert(bytes.end(), first, first + in.gcount());
        if (in.eof()) break;
    }
    if (in.bad()) return std::nullopt;
    return bytes;
}

}  // namespace plat
