#pragma once
// The frame timer: variable step, no cap. Every time-based component reads deltaTime.
#include <cstdint>

class Time {
public:
    static Time& GetInstance();

    // Advances to the clock's now: deltaTime = now - last in seconds; the fps window
    // closes when its timer exceeds 1 s (strictly).
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
