#include "platform/Heap.h"

#include <malloc.h>

namespace platform {

void TuneHeap() {
    // Trimming the top of the heap only when 256 MiB lie free there, and serving blocks
    // up to 32 MiB (a decoded full-screen picture is 8 MiB) from the heap instead of
    // fresh mappings.
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    // One heap for every thread: a load's picture decoding threads would otherwise each
    // keep their own heap of freed picture buffers (measured: 50 MiB more resident with
    // three), and the main thread could not reuse what they freed. Our other threads
    // (audio mixing, the GL driver's) allocate little.
    mallopt(M_ARENA_MAX, 1);
}

}  // namespace platform
