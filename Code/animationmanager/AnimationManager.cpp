#include "animationmanager/AnimationManager.h"

#include <algorithm>

AnimationManager& AnimationManager::GetInstance() {
    static AnimationManager instance;
    return instance;
}

void AnimationManager::AddAnimator(Animator* animator) { animators_.push_back(animator); }

void AnimationManager::RemoveAnimator(const Animator* animator) {
    auto it = std::find(animators_.begin(), animators_.end(), animator);
    if (it != animators_.end()) animators_.erase(it);
}

void AnimationManager::Clear() { animators_.clear(); }
