#pragma once
// The frame timer: variable step. Every time-based component reads deltaTime.
#include <cstdint>

class Time {
public:
    static Time& GetInstance();

    // The longest frame handed to the game: a stall (a slow machine, a window drag, a
    // debugger) plays on as this much time instead of one huge step.
    static constexpr float kMaxDeltaTime = 1.0f / 3.0f;

    // Advances to the clock's now: deltaTime = now - last in seconds, at most
    // kMaxDeltaTime; the fps window counts real time and closes when its timer exceeds
    // 1 s (strictly).
    void Update();

    uint32_t fps = 0;
    float fpsTimer = 0.0f;
    uint32_t frameCounter = 0;
    int64_t last = 0;
    int64_t now = 0;
    float deltaTime = 0.0f;

private:
    Time();
};
