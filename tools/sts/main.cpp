// sts: look into and make ".sts" session files.
//   sts show FILE                readable summary of the six tracks
//   sts json FILE                the session as JSON (docs/session-format.md)
//   sts build JSON_FILE OUT.sts  the reverse of json
//   sts link FILE [BASE_URL]     the page's address that opens the session
//   sts from-link LINK OUT.sts   the session a link carries, as a file
//                                (LINK "-": read from standard input)
//   sts --help                   this usage, on standard output
// Exit status: 0 done, 1 a bad or unreadable file or link (with the reason on
// stderr), 2 wrong usage.

#include <cctype>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "recording/codec/SessionFile.h"
#include "recording/link/SessionLink.h"
#include "tools/sts/SessionJson.h"
#include "tools/sts/SessionText.h"

namespace {

constexpr const char* kUsage =
    "usage: sts show FILE\n"
    "       sts json FILE\n"
    "       sts build JSON_FILE OUT.sts\n"
    "       sts link FILE [BASE_URL]\n"
    "       sts from-link LINK OUT.sts\n"
    "       sts --help\n";

std::optional<std::string> ReadWhole(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return std::nullopt;
    return bytes;
}

int Fail(const std::string& path, const std::string& reason) {
    std::fprintf(stderr, "sts: %s: %s\n", path.c_str(), reason.c_str());
    return 1;
}

// Reads a session file into `tracks`; 0, or the exit status after telling why.
int LoadSession(const std::string& path, SessionTracks& tracks) {
    std::string reason;
    return LoadSessionFile(path, tracks, reason) ? 0 : Fail(path, reason);
}

int WriteWhole(const std::string& outPath, const std::vector<uint8_t>& bytes) {
    std::ofstream out(outPath, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) return Fail(outPath, "cannot write the file");
    return 0;
}

int Build(const std::string& jsonPath, const std::string& outPath) {
    const std::optional<std::string> text = ReadWhole(jsonPath);
    if (!text) return Fail(jsonPath, "cannot read the file");
    SessionTracks tracks;
    std::string error;
    if (!SessionFromJson(*text, tracks, error)) return Fail(jsonPath, error);
    return WriteWhole(outPath, WriteSessionFile(tracks));
}

// The page's address under `make web-serve` (its WEB_PORT, 8000 unless set).
constexpr const char* kDefaultLinkBase = "http://localhost:8000/";

// The link carries the file's bytes as they are, once they are known to be a session.
int Link(const std::string& path, const std::string& base) {
    const std::optional<std::string> bytes = ReadWhole(path);
    if (!bytes) return Fail(path, "cannot read the file");
    const std::span<const uint8_t> file(reinterpret_cast<const uint8_t*>(bytes->data()), bytes->size());
    SessionTracks tracks;
    std::string error;
    if (!ReadSessionFile(file, tracks, error)) return Fail(path, "not a session file: " + error);
    std::string text;
    if (!EncodeSessionLink(file, text, error)) return Fail(path, error);
    std::cout << SessionLinkAddress(base, text) << '\n';
    return std::cout.good() ? 0 : 1;
}

// Links run long: a refusal names the link, not its text. One longer than
// the system lets an argument be (128 KiB on Linux) comes as "-", on
// standard input.
int FromLink(std::string address, const std::string& outPath) {
    if (address == "-") {
        address.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
        while (!address.empty() && std::isspace(static_cast<unsigned char>(address.back()))) address.pop_back();
    }
    const std::optional<std::string_view> text = SessionLinkText(address);
    if (!text) return Fail("link", "not a session link: its address has no \"#s=\"");
    std::vector<uint8_t> bytes;
    std::string error;
    if (!DecodeSessionLink(*text, bytes, error)) return Fail("link", error);
    SessionTracks tracks;
    if (!ReadSessionFile(bytes, tracks, error)) return Fail("link", "it holds no session: " + error);
    return WriteWhole(outPath, bytes);
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (args.size() == 2 && (args[0] == "show" || args[0] == "json")) {
        SessionTracks tracks;
        if (const int status = LoadSession(args[1], tracks); status != 0) return status;
        std::cout << (args[0] == "show" ? DescribeSession(tracks) : SessionToJson(tracks));
        return std::cout.good() ? 0 : 1;
    }
    if (args.size() == 3 && args[0] == "build") return Build(args[1], args[2]);
    if ((args.size() == 2 || args.size() == 3) && args[0] == "link")
        return Link(args[1], args.size() == 3 ? args[2] : kDefaultLinkBase);
    if (args.size() == 3 && args[0] == "from-link") return FromLink(args[1], args[2]);
    std::fputs(kUsage, stderr);
    return 2;
}
