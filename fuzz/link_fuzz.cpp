// libFuzzer target: session link text from arbitrary bytes. A refusal says
// why and gives nothing; what is taken stays within the bound and makes a
// link that gives the same bytes again.

#include <cstdlib>
#include <string_view>

#include "recording/link/SessionLink.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::vector<uint8_t> bytes;
    std::string error;
    if (!DecodeSessionLink(text, bytes, error)) {
        if (error.empty() || !bytes.empty()) std::abort();
        return 0;
    }
    if (bytes.size() > kMaxSessionLinkBytes) std::abort();
    std::string again;
    if (!EncodeSessionLink(bytes, again, error)) std::abort();
    std::vector<uint8_t> back;
    if (!DecodeSessionLink(again, back, error) || back != bytes) std::abort();
    return 0;
}
