// Short memory on demand: while a FailingAllocations lives, every allocation
// through operator new of at least the given size throws std::bad_alloc, as
// it would on a machine without that much memory. The test program replaces
// the global operator new and delete for this; smaller allocations, and the
// toolkit's own, go on as usual.
#pragma once

#include <cstddef>

class FailingAllocations {
public:
    explicit FailingAllocations(size_t fromBytes);
    ~FailingAllocations();
    FailingAllocations(const FailingAllocations&) = delete;
    FailingAllocations& operator=(const FailingAllocations&) = delete;
};
