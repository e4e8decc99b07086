#pragma once
// Base of every behaviour. A component belongs to one GameObject (its owner),
// which it names by id (the object's slot in the scene table).
//
// Life cycle: constructed -> Awake -> (attached) -> Start -> Update every frame
// while enabled and its object is active -> OnDestroy -> deleted by its object.
#include <cstdint>

#include "gameobjectengine/Handle.h"
#include "gameobjectengine/JsonRead.h"

class GameObject;

class Component {
public:
    // Built in code: owner resolved from the scene table at this moment (null when the id names no object).
    explicit Component(int32_t gameObjectID);
    // Built from a scene or prefab file: reads "gameObjectID" (absent 0) and "enabled" (absent true).
    explicit Component(const JsonValue& json);
    Component(const Component&) = default;
    Component& operator=(const Component&) = default;
    virtual ~Component() = default;

    virtual void Awake() {}
    virtual void Start() {}
    virtual void Reserved() {}  // a slot kept free in the operation order; nothing overrides it
    virtual void OnDisable() {}
    virtual void Update() {}
    virtual void OnDestroy() {}
    virtual void OnSceneLoaded() {}
    // A new heap copy with the same field values; the base has none.
    virtual Component* Clone() const { return nullptr; }

    GameObject* owner = nullptr;
    int32_t gameObjectID = 0;
    bool enabled = true;

    const Lifetime& GetLifetime() const { return lifetime_; }

private:
    Lifetime lifetime_;
};

// Resolves an id to the scene table's object, or null (out of range, empty slot, no table).
GameObject* ResolveGameObject(int32_t id);
