#include "platform/Heap.h"

#include <malloc.h>

namespace platform {

void TuneHeap() {
    // Trimming the top of the heap only when 256 MiB lie free there, and serving blocks
    // up to 32 MiB (a decoded full-screen picture is 8 MiB) from the heap instead of
    // fresh mappings.
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
}

}  // namespace platform
