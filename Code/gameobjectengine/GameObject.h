#pragma once
// A named entity of the scene that owns up to 512 components.
//
// Its id is its slot in the scene's object table (persistent objects get a new id
// at every scene load). Destroying a GameObject does not delete its components:
// callers remove them first (RemoveAllComponents).
#include <cstdint>
#include <string>

#include "gameobjectengine/Component.h"
#include "gameobjectengine/Handle.h"
#include "gameobjectengine/JobManager.h"
#include "gameobjectengine/SlotPool.h"

class GameObject {
public:
    static constexpr std::size_t kMaxComponents = 512;

    explicit GameObject(std::string name);
    ~GameObject() = default;
    GameObject(const GameObject&) = delete;
    GameObject& operator=(const GameObject&) = delete;

    int32_t id = -1;
    std::string name;
    uint32_t layer = 1;
    std::string tag;
    SlotPool<Component> components{kMaxComponents};
    bool active = true;

    // OnDestroy on every component first, then every component deleted.
    void RemoveAllComponents();

    // The first component (slot order) whose dynamic type is T or derives from it.
    template <typename T>
    T* GetComponent() const {
        const std::size_t mark = components.Mark();
        for (std::size_t i = 0; i < mark; ++i)
            if (T* found = dynamic_cast<T*>(components.Get(i))) return found;
        return nullptr;
    }

    // Fills *destination with GetComponent<T>() (null on a miss). Bound into kind-1 jobs.
    template <typename T>
    void JobFetchComponent(T** destination) const {
        *destination = GetComponent<T>();
    }

    // Creates T for this object with its code defaults, attaches it, wakes it and queues
    // its Start as a kind-3 job. With noStart it is only attached. Null when the object's
    // component table is full (the new component is then freed).
    template <typename T, typename... Args>
    T* AddComponent(bool noStart = false, Args&&... args) {
        T* component = new T(id, std::forward<Args>(args)...);
        // The id alone may name another object (or none) while this one is out of the
        // table, as persistent objects are during a load: the component is ours.
        component->owner = this;
        if (!components.Add(component)) {
            delete component;
            return nullptr;
        }
        if (noStart) return component;
        component->Awake();
        QueueStart(component);
        return component;
    }

    const Lifetime& GetLifetime() const { return lifetime_; }

private:
    static void QueueStart(Component* component);
    Lifetime lifetime_;
};

// Queues a kind-1 look-up of a component of the asker's own object into a plain pointer
// member, run once every component of the scene or prefab exists; skipped when the asker
// is gone. The pointer dies with the object it points into: hold another object's
// component by a Handle instead.
template <typename T>
void QueueFetchComponent(Component* asker, GameObject* target, T** destination) {
    if (!target) return;
    Handle<GameObject> targetHandle(target);
    JobManager::GetInstance().AddJobFor(
        asker,
        [targetHandle, destination]() {
            if (GameObject* object = targetHandle.Get()) object->JobFetchComponent<T>(destination);
        },
        JobKind::Lookup, 0.0f);
}
