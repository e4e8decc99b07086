#pragma once
// Base of every drawable component: placement mode, layer, opacity, tint colour,
// offset, parallax factor and the entry type by which the GraphicsEngine draws it.
//
// A Render is listed for drawing by its subclass (GraphicsEngine::AddRender) and
// leaves the list in the subclass's OnDestroy or destructor; the base never lists
// itself.
#include <cstdint>

#include "gameobjectengine/Component.h"

class Transform;

class Render : public Component {
public:
    // Entry types: how the render list's passes treat an entry.
    static constexpr uint32_t kSprite = 0;
    static constexpr uint32_t kText = 1;
    static constexpr uint32_t kParticles = 2;

    // Code defaults: alpha 100, colour white, speed 1, no screen-space flags.
    Render(int32_t objectID, int32_t layer);
    // Reads "layer", "alpha", "speed", "relativePos", "relativeScale", "color" {r,g,b}.
    explicit Render(const JsonValue& json);

    // Queues the owner's Transform look-up (kind 3) when the component has an owner.
    void Awake() override;
    // Looks the owner's Transform up now.
    void Start() override;

    Transform* transform = nullptr;  // the owner's (or, for bars and bubbles, a child's) transform
    int32_t layer = 0;
    int32_t alpha = 100;  // 0..100
    float color[3] = {1.0f, 1.0f, 1.0f};
    uint32_t type = kSprite;
    bool relativePos = false;    // position in percent of the 1920 x 1080 screen
    bool relativeScale = false;  // scale in percent of the screen
    float offset[2] = {0.0f, 0.0f};
    float speed = 1.0f;  // parallax factor on the camera offset

protected:
    // Queues a kind-3 job that fills `transform` from the owner, only while it is still null.
    void QueueTransformLookup();
};
