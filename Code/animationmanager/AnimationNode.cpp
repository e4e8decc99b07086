#include "animationmanager/AnimationNode.h"

#include <utility>

#include "animationmanager/AnimationTransition.h"
#include "animationmanager/Animator.h"

namespace {

// The parameter named by `paramKey` and, when it exists, its data from `dataKey`.
// A missing or unknown name leaves the parameter null: the toggle then writes nothing.
void ReadToggle(const JsonValue& element, const char* paramKey, const char* dataKey, Animator* owner,
                AnimatorParameter*& param, ParamCell& data) {
    std::string paramName;
    const JsonValue* value = json::Find(element, paramKey);
    if (!owner || !value || !json::AsString(*value, paramName)) return;
    param = owner->GetParameter(paramName);
    if (param) data = ReadParamCell(element, dataKey, param->type);
}

}  // namespace

AnimationNode::AnimationNode(const JsonValue& element, Animator* owner) : animator(owner) {
    name = json::ReadString(element, "name", name);
    startX = json::ReadFloat(element, "startX", 0.0f);
    endPosX = json::ReadFloat(element, "endPosX", 0.0f);
    startY = json::ReadFloat(element, "startY", 0.0f);
    endPosY = json::ReadFloat(element, "endPosY", 0.0f);
    framesPerSec = json::ReadFloat(element, "framesPerSec", 0.0f);
    repeats = json::ReadFlag(element, "repeats", false);
    startToggle = json::ReadFlag(element, "startToggle", false);
    endToggle = json::ReadFlag(element, "endToggle", false);
    if (startToggle) ReadToggle(element, "startParam", "startData", owner, startParam, startData);
    if (endToggle) ReadToggle(element, "endParam", "endData", owner, endParam, endData);

    // Names that match no transition keep their place as null entries; the first test drops them.
    if (const JsonValue* names = json::FindArray(element, "transitions")) {
        transitions.reserve(names->Size());
        for (const JsonValue& entry : names->GetArray()) {
            std::string transitionName;
            AnimationTransition* found = nullptr;
            if (owner && json::AsString(entry, transitionName)) found = owner->GetTransition(transitionName);
            transitions.push_back(found);
        }
    }
}

AnimationNode::AnimationNode(Animator* owner, std::string nodeName, float firstX, float firstY, float lastX,
                             float lastY, float secondsPerCell)
    : name(std::move(nodeName)),
      startX(firstX),
      endPosX(lastX),
      startY(firstY),
      endPosY(lastY),
      framesPerSec(secondsPerCell),
      repeats(true),
      animator(owner) {}

AnimationNode* AnimationNode::CheckTransitions(uint32_t state) {
    std::erase(transitions, nullptr);
    for (AnimationTransition* transition : transitions) {
        if (transition->checkFrequency != state) continue;
        // A transition without a target cannot fire; the ones behind it still get their turn.
        if (!transition->GuardHolds() || !transition->next) continue;
        WriteEndToggle();
        return transition->next;
    }
    return nullptr;
}

void AnimationNode::WriteStartToggle() const {
    if (startToggle && startParam) startParam->value = startData;
}

void AnimationNode::WriteEndToggle() const {
    if (endToggle && endParam) endParam->value = endData;
}
