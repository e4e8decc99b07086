#pragma once
// The registry of every animator that has woken. It refers to animators it does not
// own: it never deletes one, and nothing drives animation through it (each animator
// advances in its own Update).
#include <cstdint>
#include <vector>

class Animator;

class AnimationManager {
public:
    static AnimationManager& GetInstance();

    // Appends the animator (Animator::Awake).
    void AddAnimator(Animator* animator);
    // Erases the first entry equal to `animator`; an unknown pointer changes nothing.
    void RemoveAnimator(const Animator* animator);
    // Every entry dropped, count 0 (quit).
    void Clear();

    uint32_t Count() const { return static_cast<uint32_t>(animators_.size()); }
    const std::vector<Animator*>& Animators() const { return animators_; }

private:
    AnimationManager() = default;
    std::vector<Animator*> animators_;
};
