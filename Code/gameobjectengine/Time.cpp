#include "gameobjectengine/Time.h"

#include "platform/Clock.h"

Time& Time::GetInstance() {
    static Time instance;
    return instance;
}

Time::Time() : last(platform::NowNanoseconds()), now(last) {}

void Time::Update() {
    now = platform::NowNanoseconds();
    const int64_t step = now - last;
    last = now;
    ++frameCounter;
    const float seconds = static_cast<float>(static_cast<double>(step) / 1e9);
    deltaTime = seconds > kMaxDeltaTime ? kMaxDeltaTime : seconds;
    fpsTimer += seconds;
    if (fpsTimer > 1.0f) {
        fps = frameCounter;
        fpsTimer = 0.0f;
        frameCounter = 0;
    }
}
