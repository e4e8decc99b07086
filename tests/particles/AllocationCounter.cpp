// The particle test program counts heap allocations with the graphics tests' counter.
#include "graphics/AllocationCounter.cpp"
