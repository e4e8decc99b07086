#pragma once
#include <cstddef>

// Heap settings for the game process.
namespace platform {

// Keeps freed small blocks in the process instead of handing them back to the system at
// every free: the frame's short-lived blocks are then reused rather than mapped, zeroed
// and unmapped again. Blocks of 4 MiB and more (pictures) are mapped on their own and
// returned when freed. Call once at start-up, before the window opens.
void TuneHeap();

// Hands the system back the whole pages of a heap block that lie in its first `doneBytes`
// bytes, except the page where the block starts (the heap's own bookkeeping lives next to
// it). For a block the caller still owns, has read for the last time up to there, and will
// free without reading again: a large picture being uploaded, so that its copy and the
// texture are not resident in full together. The block stays valid to free; the pages
// read as zeros if touched.
void ReleaseReadPages(unsigned char* block, std::size_t doneBytes);

}  // namespace platform
