#pragma once
// Heap settings for the game process.
namespace platform {

// Keeps freed memory in the process instead of handing it back to the system at every
// free: the frame's short-lived blocks and the picture buffers of a load are then reused
// rather than mapped, zeroed and unmapped again. Call once at start-up, before the window
// opens.
void TuneHeap();

}  // namespace platform
