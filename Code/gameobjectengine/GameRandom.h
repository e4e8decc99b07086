#pragma once
// The game-wide random generator. Values 0..32767 from the classic linear
// congruential sequence (state * 214013 + 2531011), seed 1, so every formula tuned
// against that range behaves the same.
#include <cstdint>

class GameRandom {
public:
    static constexpr int32_t kMax = 0x7FFF;

    static int32_t Next();
    static void Seed(uint32_t seed);

private:
    static uint32_t state_;
};
