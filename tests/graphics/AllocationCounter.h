#pragma once
// Counts the heap allocations (global operator new) made on any thread while one of
// these lives. The graphics test program replaces the global operator new for this.
#include <cstddef>

class ScopedAllocationCount {
public:
    ScopedAllocationCount();
    ~ScopedAllocationCount();
    ScopedAllocationCount(const ScopedAllocationCount&) = delete;
    ScopedAllocationCount& operator=(const ScopedAllocationCount&) = delete;

    std::size_t Count() const;
};
