#pragma once
// Removes its object (deferred) when another object of the same name already exists,
// in the scene or among the persistent objects; each object counts once.
#include "gameobjectengine/Component.h"

class DeleteIfExist : public Component {
public:
    explicit DeleteIfExist(int32_t objectID);
    explicit DeleteIfExist(const JsonValue& json);

    void Awake() override;
};
