#pragma once
// Heap settings for the game process.
namespace platform {

// Keeps freed small blocks in the process instead of handing them back to the system at
// every free: the frame's short-lived blocks are then reused rather than mapped, zeroed
// and unmapped again. Blocks of 4 MiB and more (pictures) are mapped on their own and
// returned when freed. Call once at start-up, before the window opens.
void TuneHeap();

}  // namespace platform
