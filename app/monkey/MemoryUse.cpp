#include "app/monkey/MemoryUse.h"

#include <malloc.h>
#include <unistd.h>

#include <cstdio>
#include <ostream>

// Present only when AddressSanitizer's runtime is linked in.
extern "C" size_t __sanitizer_get_current_allocated_bytes() __attribute__((weak));

namespace monkey {

MemoryUse MeasureMemory() {
    MemoryUse m;
    long pages = 0, resident = 0;
    if (std::FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
        std::fclose(f);
    }
    m.residentKb = resident * (::sysconf(_SC_PAGESIZE) / 1024);
    if (__sanitizer_get_current_allocated_bytes != nullptr) {
        m.heapKb = static_cast<long>(__sanitizer_get_current_allocated_bytes() / 1024);
    } else {
        const struct mallinfo2 info = mallinfo2();
        m.heapKb = static_cast<long>((info.uordblks + info.hblkhd) / 1024);
    }
    return m;
}

void PrintMemory(std::ostream& out, const std::vector<MemoryUse>& samples, const MemoryUse& end) {
    auto series = [&](const char* what, long MemoryUse::*kb) {
        out << "  " << what << " (MB):";
        for (size_t i = 0; i < samples.size(); ++i) out << " " << (i == 0 ? 1 : 10 * i) << " min " << samples[i].*kb / 1024 << ",";
        out << " end " << end.*kb / 1024;
        if (!samples.empty() && samples.front().*kb > 0)
            out << " (" << std::showpos << (end.*kb - samples.front().*kb) * 100.0 / static_cast<double>(samples.front().*kb)
                << std::noshowpos << " % against the first minute)";
        out << "\n";
    };
    series("resident memory", &MemoryUse::residentKb);
    series("heap in use", &MemoryUse::heapKb);
}

}  // namespace monkey
