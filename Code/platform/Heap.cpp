#include "platform/Heap.h"

#include <malloc.h>

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

}  // namespace platform
