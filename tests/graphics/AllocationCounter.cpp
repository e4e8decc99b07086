// The graphics test program's global operator new and delete: plain malloc and free,
// counted while a ScopedAllocationCount lives. Every form that pairs with the plain
// delete is replaced, so whatever one of them allocates the matching one frees.
#include "AllocationCounter.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<bool> gCounting{false};
std::atomic<std::size_t> gCount{0};

void* Allocate(std::size_t size) {
    if (gCounting.load(std::memory_order_relaxed)) gCount.fetch_add(1, std::memory_order_relaxed);
    return std::malloc(size == 0 ? 1 : size);
}

}  // namespace

ScopedAllocationCount::ScopedAllocationCount() {
    gCount = 0;
    gCounting = true;
}

ScopedAllocationCount::~ScopedAllocationCount() { gCounting = false; }

std::size_t ScopedAllocationCount::Count() const { return gCount.load(); }

void* operator new(std::size_t size) {
    if (void* p = Allocate(size)) return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) {
    if (void* p = Allocate(size)) return p;
    throw std::bad_alloc();
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }
