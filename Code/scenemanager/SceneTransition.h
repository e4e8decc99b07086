#pragma once
// Changes scene by index: on a key press (splash and victory screens, when
// spaceToTransit is set) or when another component calls it (fades, portal, menus).
// The change is only recorded and queued; the next tick clears the scene and loads.
#include "gameobjectengine/Component.h"

class SceneTransition : public Component {
public:
    explicit SceneTransition(int32_t objectID) : Component(objectID) {}
    // "sceneIndex" (absent 0), "spaceToTransit" (absent false).
    explicit SceneTransition(const JsonValue& json);

    // Makes the faders of its object hand over to Transit at the end of a fade that
    // changes the scene (the object's first transition only).
    void Start() override;
    void Update() override;
    Component* Clone() const override { return new SceneTransition(*this); }

    // LoadSceneByIndex(sceneIndex) when the index is in the table.
    void Transit();
    // Records the index, enters the scene-change state and queues the load. Acts only
    // while the engine runs (state 2) and only for the first request of a frame.
    static void LoadSceneByIndex(int32_t index);

    int32_t sceneIndex = 0;
    bool spaceToTransit = false;
};
