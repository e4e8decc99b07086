#include "animationmanager/AnimationManager.h"

AnimationManager& AnimationManager::GetInstance() {
    static AnimationManager instance;
    return instance;
}

void AnimationManager::Clear() {}
