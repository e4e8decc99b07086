#include "gameobjectengine/GameRandom.h"

uint32_t GameRandom::state_ = 1;

int32_t GameRandom::Next() {
    state_ = state_ * 214013u + 2531011u;
    return static_cast<int32_t>((state_ >> 16) & 0x7FFFu);
}

void GameRandom::Seed(uint32_t seed) { state_ = seed; }
