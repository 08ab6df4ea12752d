#include "tools/pagefiles/Gzip.h"

#include <zlib.h>

#include <stdexcept>

namespace pagefiles {

std::vector<uint8_t> Gzip(std::span<const uint8_t> bytes) {
    z_stream z{};
    // 15 window bits, +16 for a gzip wrapper (with no name or time: same input, same bytes).
    if (deflateInit2(&z, Z_BEST_COMPRESSION, Z_DEFLATED, 15 + 16, 9, Z_DEFAULT_STRATEGY) != Z_OK)
        throw std::runtime_error("zlib cannot start");
    std::vector<uint8_t> out(deflateBound(&z, static_cast<uLong>(bytes.size())));
    z.next_in = const_cast<Bytef*>(bytes.data());
    z.avail_in = static_cast<uInt>(bytes.size());
    z.next_out = out.data();
    z.avail_out = static_cast<uInt>(out.size());
    const int ret = deflate(&z, Z_FINISH);
    out.resize(z.total_out);
    deflateEnd(&z);
    if (ret != Z_STREAM_END) throw std::runtime_error("zlib cannot compress");
    return out;
}

}  // namespace pagefiles
