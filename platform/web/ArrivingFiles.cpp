#include "platform/web/ArrivingFiles.h"

#include <emscripten.h>

namespace plat {

namespace {

// 1 once the page has put the file at `path` (a file it knows of, in any
// case of its name), 0 when it knows none there or cannot fetch it.
EM_ASYNC_JS(int, pp_file_arrive, (const char* path), {
    return (await Module.ppFiles.arrive(UTF8ToString(path))) ? 1 : 0;
});

}  // namespace

ArrivingFiles::ArrivingFiles(const FileSystem& files, std::function<void(bool)> waiting)
    : files_(files), waiting_(std::move(waiting)) {}

bool ArrivingFiles::Arrive(std::string_view hostName) const {
    const std::optional<std::filesystem::path> where = files_.ResolveForWrite(hostName);
    if (!where) return false;
    if (waiting_) waiting_(true);
    const bool arrived = pp_file_arrive(where->generic_string().c_str()) != 0;
    if (waiting_) waiting_(false);
    return arrived;
}

std::optional<std::filesystem::path> ArrivingFiles::Resolve(std::string_view hostName) const {
    std::optional<std::filesystem::path> found = files_.Resolve(hostName);
    if (!found && Arrive(hostName)) found = files_.Resolve(hostName);
    return found;
}

std::optional<std::filesystem::path> ArrivingFiles::ResolveForWrite(std::string_view hostName) const {
    return files_.ResolveForWrite(hostName);
}

bool ArrivingFiles::IsDirectory(std::string_view hostName) const { return files_.IsDirectory(hostName); }

std::optional<std::vector<uint8_t>> ArrivingFiles::ReadFile(std::string_view hostName) const {
    std::optional<std::vector<uint8_t>> bytes = files_.ReadFile(hostName);
    if (!bytes && Arrive(hostName)) bytes = files_.ReadFile(hostName);
    return bytes;
}

}  // namespace plat
