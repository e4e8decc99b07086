#include "animationmanager/AnimationTransition.h"

#include "animationmanager/Animator.h"
#include "gameobjectengine/JobManager.h"

AnimationTransition::AnimationTransition(const JsonValue& element, Animator* owner) : animator(owner) {
    name = json::ReadString(element, "name", "DefaultName");

    // An unknown guard name leaves the transition unguarded, as if no guard were given.
    std::string guardName;
    const JsonValue* guard = json::Find(element, "paramPtr");
    if (owner && guard && json::AsString(*guard, guardName)) paramPtr = owner->GetParameter(guardName);

    comparison = json::ReadInt(element, "comparison", comparison);

    // Nodes are read after transitions, so the target is linked once the object is complete.
    std::string target;
    const JsonValue* nextValue = json::Find(element, "next");
    if (owner && nextValue && json::AsString(*nextValue, target)) {
        JobManager::GetInstance().AddJobFor(
            owner, [owner, transitionName = name, target]() { owner->LinkTransition(transitionName, target); },
            JobKind::Lookup, 0.0f);
    }

    if (paramPtr) condition = ReadParamCell(element, "condition", paramPtr->type);
    checkFrequency = json::ReadUint(element, "checkFrequency", checkFrequency);
}

bool AnimationTransition::GuardHolds() const {
    if (!paramPtr) return true;
    return CompareParamCells(paramPtr->type, paramPtr->value, comparison, condition);
}
