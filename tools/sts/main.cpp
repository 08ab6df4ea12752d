// sts: look into and make ".sts" session files.
//   sts show FILE                readable summary of the six tracks
//   sts json FILE                the session as JSON (docs/session-format.md)
//   sts build JSON_FILE OUT.sts  the reverse of json
//   sts --help                   this usage, on standard output
// Exit status: 0 done, 1 a bad or unreadable file (with the reason on
// stderr), 2 wrong usage.

#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "recording/codec/SessionFile.h"
#include "tools/sts/SessionJson.h"
#include "tools/sts/SessionText.h"

namespace {

constexpr const char* kUsage =
    "usage: sts show FILE\n"
    "       sts json FILE\n"
    "       sts build JSON_FILE OUT.sts\n"
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

int Build(const std::string& jsonPath, const std::string& outPath) {
    const std::optional<std::string> text = ReadWhole(jsonPath);
    if (!text) return Fail(jsonPath, "cannot read the file");
    SessionTracks tracks;
    std::string error;
    if (!SessionFromJson(*text, tracks, error)) return Fail(jsonPath, error);
    const std::vector<uint8_t> bytes = WriteSessionFile(tracks);
    std::ofstream out(outPath, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) return Fail(outPath, "cannot write the file");
    return 0;
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
    std::fputs(kUsage, stderr);
    return 2;
}
