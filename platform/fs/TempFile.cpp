#include "platform/fs/TempFile.h"

#include <fcntl.h>

#include <cerrno>
#include <random>
#include <string>

namespace plat {

int CreateTempBeside(const std::filesystem::path& target, std::filesystem::path& temp) {
    std::mt19937 random(std::random_device{}());
    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
    for (int attempt = 0; attempt < 16; ++attempt) {
        temp = folder / ("." + target.filename().string() + "." + std::to_string(random()) + ".tmp");
        const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

}  // namespace plat
