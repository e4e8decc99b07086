#include "gameobjectengine/GameObject.h"

#include <utility>

GameObject::GameObject(std::string objectName) : name(std::move(objectName)) {}

void GameObject::RemoveAllComponents() {
    components.ForEach([](Component* component) { component->OnDestroy(); });
    components.Clear();
}

void GameObject::QueueStart(Component* component) {
    JobManager::GetInstance().AddJobFor(component, [component]() { component->Start(); }, JobKind::Frame, 0.0f);
}
