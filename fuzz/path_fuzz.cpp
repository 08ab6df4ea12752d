// Host names come from session dialogs and the program's folder tables. Any
// name must resolve inside the drive directory it names (or not at all).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/fs/HostPath.h"

namespace {

namespace fs = std::filesystem;

// A small fixed drive tree under the temporary folder, made once.
const fs::path& DriveRoot() {
    static const fs::path root = [] {
        fs::path r = fs::temp_directory_path() / "plinkpad-path-fuzz";
        fs::create_directories(r / "c" / "Plinkpad" / "Assets" / "All");
        fs::create_directories(r / "d" / "Directx" / "Drivers");
        fs::create_directories(r / "outside");
        return r;
    }();
    return root;
}

bool Inside(const fs::path& p, const fs::path& dir) {
    fs::path rel = p.lexically_normal().lexically_relative(dir);
    return !rel.empty() && *rel.begin() != "..";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string name(reinterpret_cast<const char*>(data), size);
    const fs::path& root = DriveRoot();
    plat::HostPath hp({root / "c", root / "d"});
    bool drive = name.size() >= 2 && name[1] == ':';
    for (std::optional<fs::path> p : {hp.Resolve(name), hp.ResolveForWrite(name)}) {
        if (p && drive && !Inside(*p, root / "c") && !Inside(*p, root / "d") && *p != root / "c" && *p != root / "d")
            std::abort();
    }
    (void)hp.IsDirectory(name);
    (void)hp.ReadFile(name);
    return 0;
}
