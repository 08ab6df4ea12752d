// Settings files come from the user's installation folder: any bytes must read
// as some value (or the default) without crashing or running past the buffer.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "platform/fs/PrivateProfile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::span<const uint8_t> bytes(data, size);
    // The first byte picks the buffer size so cutting is exercised too.
    size_t bufferSize = size > 0 ? data[0] : 200;
    std::string value = plat::GetPrivateProfileString(bytes, "Plinkpads", "Audio", "\\", bufferSize);
    if (bufferSize > 0 && value.size() > bufferSize - 1) std::abort();
    if (bufferSize == 0 && !value.empty()) std::abort();
    return 0;
}
