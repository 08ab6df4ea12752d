#pragma once
// The program's memory as the monkey reports it: resident size from the
// kernel, and the heap bytes in use from the allocator (AddressSanitizer's
// when it runs, so its quarantine and caches, which keep resident memory
// rising for a while, do not hide whether the program itself grows).

#include <iosfwd>
#include <vector>

namespace monkey {

struct MemoryUse {
    long residentKb = 0;
    long heapKb = 0;
};

MemoryUse MeasureMemory();

// "resident memory (MB): 1 min 20, 10 min 19, ..., end 18 (-10 % against the
// first minute)" and the same for the heap; `samples` were taken after the
// first minute and then every tenth minute.
void PrintMemory(std::ostream& out, const std::vector<MemoryUse>& samples, const MemoryUse& end);

}  // namespace monkey
