#pragma once
// The program names files as the host did: "X:\plinkpad\assets\..." on a
// drive letter, or an install-relative "<home>\Assets\...". This maps such a
// name onto this system:
//  - drive letters c..y map, in order, to a list of candidate directories
//    (the generated asset disc first, then removable-media mount points);
//  - '\' and '/' both separate components;
//  - every component is matched without regard to case, and trailing blanks
//    and dots of a name are ignored, as the host's file system did;
//  - ".." goes up but never above the directory the name starts in (the
//    drive's candidate, or the current directory for a relative name), so a
//    name cannot reach outside it; a name starting with a separator is an
//    absolute install-relative path and starts at the file system's root.
// Thread-safe for reading once built.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Host.h"

namespace plat {

class HostPath final : public FileSystem {
public:
    // candidates[0] is drive c, candidates[1] drive d, ... (at most 23: c..y).
    explicit HostPath(std::vector<std::filesystem::path> candidates);
    // The default list: the program's own disc, then /media/$USER/*,
    // /run/media/$USER/*, /media/*, /mnt/* (each group sorted).
    static std::vector<std::filesystem::path> DefaultCandidates(const std::filesystem::path& ownDisc);
    // Splits "DIR:DIR:..." (the --drives option and PLINKPAD_DRIVES).
    static std::vector<std::filesystem::path> ParseList(std::string_view list);

    // The existing file or directory the host name denotes; nullopt if none.
    std::optional<std::filesystem::path> Resolve(std::string_view hostName) const override;
    // Where a file with this host name is (or would be) created: the parent
    // must exist; the last component keeps its spelling (trailing blanks and
    // dots dropped) unless a file matching it exists already.
    std::optional<std::filesystem::path> ResolveForWrite(std::string_view hostName) const override;
    bool IsDirectory(std::string_view hostName) const override;
    // The whole file; nullopt if it cannot be opened or read.
    std::optional<std::vector<uint8_t>> ReadFile(std::string_view hostName) const override;

    const std::vector<std::filesystem::path>& Candidates() const { return candidates_; }

private:
    struct Located {
        std::filesystem::path base;      // the drive's directory, "/" or the current directory
        std::vector<std::string> parts;  // clean components below it
    };
    std::optional<Located> Locate(std::string_view hostName) const;
    // The existing entry reached from `base` through the first `count` parts.
    static std::optional<std::filesystem::path> Walk(const std::filesystem::path& base,
                                                     const std::vector<std::string>& parts, size_t count);

    std::vector<std::filesystem::path> candidates_;
};

}  // namespace plat
