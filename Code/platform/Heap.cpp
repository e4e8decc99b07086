#include "platform/Heap.h"

#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>

namespace platform {

void TuneHeap() {
    // Trimming the top of the heap only when 256 MiB lie free there (a scene load hands
    // back what it freed itself), so the frame's short-lived blocks are reused. Blocks of
    // 4 MiB and more (full-screen pictures, large sheets, and the GL driver's copies of
    // them) get mappings of their own, returned whole when freed: in the heap, each left
    // holes that pinned pages and the process grew from level to level.
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
    mallopt(M_MMAP_THRESHOLD, 4 << 20);
    // One heap for every thread: a load's picture decoding threads would otherwise each
    // keep their own heap of freed picture buffers (measured: 50 MiB more resident with
    // three), and the main thread could not reuse what they freed. Our other threads
    // (audio mixing, the GL driver's) allocate little.
    mallopt(M_ARENA_MAX, 1);
}

void ReleaseReadPages(unsigned char* block, std::size_t doneBytes) {
    static const std::uintptr_t page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    if (!block || page == 0) return;
    const std::uintptr_t start = reinterpret_cast<std::uintptr_t>(block);
    const std::uintptr_t from = (start + page) / page * page;  // past the block's first page
    const std::uintptr_t to = (start + doneBytes) / page * page;
    if (to <= from) return;
    // Failing only leaves the pages resident until the block is freed.
    madvise(reinterpret_cast<void*>(from), to - from, MADV_DONTNEED);
}

}  // namespace platform
