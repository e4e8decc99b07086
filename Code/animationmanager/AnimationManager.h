#pragma once
// The registry of every animator. (Filled in by the animation work.)
class AnimationManager {
public:
    static AnimationManager& GetInstance();
    // Every entry dropped, count 0 (quit).
    void Clear();

private:
    AnimationManager() = default;
};
