#include "recording/link/SessionLink.h"

#include <zlib.h>

#include <algorithm>
#include <limits>

#include "recording/link/Base64Url.h"

namespace {

// Raw DEFLATE: negative window bits leave out zlib's header and checksum.
constexpr int kRawWindowBits = -15;
constexpr int kMemoryLevel = 9;
// Inflated bytes are taken in steps of this much, so that a small link never
// makes a large buffer.
constexpr size_t kInflateStep = 64 * 1024;

// zlib's reason, or a plain one when it gives none.
std::string ZlibReason(const z_stream& zs, const char* otherwise) { return zs.msg != nullptr ? zs.msg : otherwise; }

}  // namespace

bool EncodeSessionLink(std::span<const uint8_t> fileBytes, std::string& text, std::string& error) {
    text.clear();
    if (fileBytes.size() > kMaxSessionLinkBytes) {
        error = "a session of " + std::to_string(fileBytes.size()) + " bytes is larger than a link carries (" +
                std::to_string(kMaxSessionLinkBytes) + ")";
        return false;
    }
    z_stream zs{};
    if (deflateInit2(&zs, Z_BEST_COMPRESSION, Z_DEFLATED, kRawWindowBits, kMemoryLevel, Z_DEFAULT_STRATEGY) != Z_OK) {
        error = "cannot start the compressor";
        return false;
    }
    std::vector<uint8_t> packed(deflateBound(&zs, static_cast<uLong>(fileBytes.size())));
    // zlib's interface is not const-correct; it only reads its input.
    zs.next_in = const_cast<Bytef*>(fileBytes.data());
    zs.avail_in = static_cast<uInt>(fileBytes.size());
    zs.next_out = packed.data();
    zs.avail_out = static_cast<uInt>(packed.size());
    const int status = deflate(&zs, Z_FINISH);
    packed.resize(zs.total_out);
    deflateEnd(&zs);
    if (status != Z_STREAM_END) {
        error = "the compressor failed";
        return false;
    }
    text = EncodeBase64Url(packed);
    return true;
}

bool DecodeSessionLink(std::string_view text, std::vector<uint8_t>& fileBytes, std::string& error) {
    fileBytes.clear();
    std::vector<uint8_t> packed;
    if (!DecodeBase64Url(text, packed, error)) return false;
    if (packed.size() > std::numeric_limits<uInt>::max()) {
        error = "the link is too long";
        return false;
    }
    z_stream zs{};
    if (inflateInit2(&zs, kRawWindowBits) != Z_OK) {
        error = "cannot start the decompressor";
        return false;
    }
    zs.next_in = packed.data();
    zs.avail_in = static_cast<uInt>(packed.size());
    int status = Z_OK;
    while (status == Z_OK) {
        // One byte beyond the bound shows that the stream goes past it.
        const size_t room = std::min(kInflateStep, kMaxSessionLinkBytes + 1 - fileBytes.size());
        if (room == 0) break;
        const size_t done = fileBytes.size();
        fileBytes.resize(done + room);
        zs.next_out = fileBytes.data() + done;
        zs.avail_out = static_cast<uInt>(room);
        status = inflate(&zs, Z_NO_FLUSH);
        fileBytes.resize(done + room - zs.avail_out);
    }
    const bool whole = status == Z_STREAM_END;
    const size_t unused = zs.avail_in;
    const std::string reason = ZlibReason(zs, "");
    inflateEnd(&zs);
    if (fileBytes.size() > kMaxSessionLinkBytes) {
        error = "the link inflates to more than " + std::to_string(kMaxSessionLinkBytes) + " bytes";
    } else if (status == Z_DATA_ERROR) {
        error = "the compressed session is damaged: " + (reason.empty() ? std::string("invalid data") : reason);
    } else if (status == Z_BUF_ERROR) {
        error = "the compressed session is cut short";
    } else if (!whole) {
        error = "the decompressor failed";
    } else if (unused != 0) {
        error = "the link goes on for " + std::to_string(unused) + " bytes after the compressed session";
    } else {
        return true;
    }
    fileBytes.clear();
    return false;
}

std::string SessionLinkAddress(std::string_view base, std::string_view text) {
    std::string address(base.substr(0, base.find('#')));
    address += kSessionLinkMarker;
    address += text;
    return address;
}

std::optional<std::string_view> SessionLinkText(std::string_view address) {
    const size_t hash = address.find('#');
    if (hash == std::string_view::npos) return std::nullopt;
    const std::string_view fragment = address.substr(hash);
    if (fragment.substr(0, kSessionLinkMarker.size()) != kSessionLinkMarker) return std::nullopt;
    return fragment.substr(kSessionLinkMarker.size());
}
