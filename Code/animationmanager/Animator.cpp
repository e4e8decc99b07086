#include "animationmanager/Animator.h"

#include "animationmanager/AnimationManager.h"
#include "gameobjectengine/GameFlags.h"
#include "gameobjectengine/GameObject.h"
#include "gameobjectengine/JobManager.h"
#include "gameobjectengine/Time.h"
#include "graphics/SpriteRenderer.h"

namespace {

template <typename Record, typename Name>
Record* FindByName(std::deque<Record>& records, Name name) {
    for (Record& record : records)
        if (record.name == name) return &record;
    return nullptr;
}

// The record of `to` at the position that `pointer` has in `from`; null when it is not there.
template <typename Record>
Record* Translate(const std::deque<Record>& from, std::deque<Record>& to, const Record* pointer) {
    if (!pointer) return nullptr;
    for (std::size_t i = 0; i < from.size(); ++i)
        if (&from[i] == pointer) return &to[i];
    return nullptr;
}

}  // namespace

Animator::Animator(int32_t gameObjectID) : Component(gameObjectID) {}

Animator::Animator(const JsonValue& json) : Component(json) {
    currentTime = json::ReadFloat(json, "currentTime", 0.0f);
    animationState = json::ReadUint(json, "animationState", Playing);

    if (owner) {
        JobManager::GetInstance().AddJobFor(
            this, [this]() { if (owner) spriteRenderer = owner->GetComponent<SpriteRenderer>(); }, JobKind::Lookup,
            0.0f);
    }

    // Parameters first, then transitions (which name parameters), then nodes (which name both).
    if (const JsonValue* list = json::FindArray(json, "params")) {
        for (const JsonValue& element : list->GetArray()) {
            AnimatorParameter param;
            if (AnimatorParameter::FromJson(element, param)) params.push_back(std::move(param));
        }
    }
    if (const JsonValue* list = json::FindArray(json, "transitions"))
        for (const JsonValue& element : list->GetArray()) transitions.emplace_back(element, this);
    if (const JsonValue* list = json::FindArray(json, "nodes"))
        for (const JsonValue& element : list->GetArray()) nodes.emplace_back(element, this);

    const JsonValue* initial = json::Find(json, "initialNode");
    if (initial && json::AsString(*initial, initialNode)) currentNode = GetNode(initialNode);
    if (!currentNode && !nodes.empty()) currentNode = &nodes.front();
}

Animator::Animator(const Animator& other)
    : Component(other),
      params(other.params),
      nodes(other.nodes),
      transitions(other.transitions),
      initialNode(other.initialNode),
      animationState(other.animationState),
      currentTime(other.currentTime) {
    // The copied records still point into `other`: move every link over to this copy's lists.
    for (AnimationTransition& transition : transitions) {
        transition.animator = this;
        transition.next = Translate(other.nodes, nodes, transition.next);
        transition.paramPtr = Translate(other.params, params, transition.paramPtr);
    }
    for (AnimationNode& node : nodes) {
        node.animator = this;
        node.startParam = Translate(other.params, params, node.startParam);
        node.endParam = Translate(other.params, params, node.endParam);
        for (AnimationTransition*& edge : node.transitions) edge = Translate(other.transitions, transitions, edge);
    }
}

Component* Animator::Clone() const { return new Animator(*this); }

void Animator::Awake() { AnimationManager::GetInstance().AddAnimator(this); }

void Animator::OnDestroy() { AnimationManager::GetInstance().RemoveAnimator(this); }

void Animator::Start() {
    if (owner) spriteRenderer = owner->GetComponent<SpriteRenderer>();
    animationState = Playing;
    // Nothing to show without a node or a sprite: the animator stays idle (and registered).
    SpriteRenderer* sprite = spriteRenderer.Get();
    if (!currentNode || !sprite) return;
    sprite->currX = currentNode->startX;
    sprite->currY = currentNode->startY;
    currentNode->WriteStartToggle();
}

void Animator::Update() {
    if (GameFlags::Any(GameFlags::Paused) || !currentNode) return;
    SpriteRenderer* sprite = spriteRenderer.Get();
    if (!sprite) return;

    if (AnimationNode* next = currentNode->CheckTransitions(animationState)) {
        SetCurrentNode(next);  // a switching frame shows the new first cell and spends no time
        return;
    }
    if (animationState == Finished) return;

    currentTime += Time::GetInstance().deltaTime;
    if (currentTime < currentNode->framesPerSec) return;
    currentTime = 0.0f;  // the remainder is dropped: at most one cell per frame
    AdvanceCell(*sprite);
}

void Animator::AdvanceCell(SpriteRenderer& sprite) {
    const AnimationNode& node = *currentNode;
    sprite.currX += 1.0f;
    if (sprite.currX <= node.endPosX) return;
    sprite.currX = node.startX;
    sprite.currY += 1.0f;
    if (sprite.currY <= node.endPosY) return;
    if (node.repeats) {
        sprite.currY = node.startY;
        return;
    }
    sprite.currX = node.endPosX;
    sprite.currY = node.endPosY;
    animationState = Finished;
}

AnimatorParameter* Animator::GetParameter(std::string_view name) { return FindByName(params, name); }

AnimationNode* Animator::GetNode(std::string_view name) { return FindByName(nodes, name); }

AnimationTransition* Animator::GetTransition(std::string_view name) { return FindByName(transitions, name); }

void Animator::LinkTransition(const std::string& transitionName, const std::string& nodeName) {
    if (AnimationTransition* transition = GetTransition(transitionName)) transition->next = GetNode(nodeName);
}

void Animator::SetCurrentNode(AnimationNode* node) {
    currentNode = node;
    animationState = Playing;
    if (!node) return;
    if (SpriteRenderer* sprite = spriteRenderer.Get()) {
        sprite->currX = node->startX;
        sprite->currY = node->startY;
    }
    node->WriteStartToggle();
}
