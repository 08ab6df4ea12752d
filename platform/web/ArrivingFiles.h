#pragma once
// The program's files in the page, some still on their way (page/files.js):
// a file the page has not unpacked yet is waited for when the program asks
// for it, the page handed back to the browser meanwhile (Asyncify, as
// WebClock::Sleep), so the program reads it as if it had been there. A file
// the page cannot fetch, or does not know, is a file that cannot be read.
// Everything else is the wrapped file system's. Page thread.

#include <functional>

#include "platform/Host.h"

namespace plat {

class ArrivingFiles final : public FileSystem {
public:
    // `files` (not owned) names and reads the files; `waiting(true)` is
    // called before a wait and `waiting(false)` after it (the web main
    // shows the busy cursor meanwhile); may be empty.
    ArrivingFiles(const FileSystem& files, std::function<void(bool)> waiting);

    std::optional<std::filesystem::path> Resolve(std::string_view hostName) const override;
    std::optional<std::filesystem::path> ResolveForWrite(std::string_view hostName) const override;
    bool IsDirectory(std::string_view hostName) const override;
    std::optional<std::vector<uint8_t>> ReadFile(std::string_view hostName) const override;

private:
    // Waits for the file the host name would be, when the page has it coming;
    // whether it arrived.
    bool Arrive(std::string_view hostName) const;

    const FileSystem& files_;
    std::function<void(bool)> waiting_;
};

}  // namespace plat
