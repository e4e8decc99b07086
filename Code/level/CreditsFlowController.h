#pragma once
// Runs a credits scene of four pictures on the objects "Fader1" to "Fader4", each faded
// in by its own Fader. The faders are chained (each starts the next when it ends); Space
// hides the picture on show at once and starts the next one; Space on the last picture
// returns to the main menu. A missing fader ends the chain before it.
#include <array>

#include "gameobjectengine/Component.h"
#include "gameobjectengine/Handle.h"

class Fader;

class CreditsFlowController : public Component {
public:
    static constexpr int kPictures = 4;

    explicit CreditsFlowController(int32_t objectID) : Component(objectID) {}
    explicit CreditsFlowController(const JsonValue& json) : Component(json) {}

    // Finds the faders and chains them; the first one is on show.
    void Start() override;
    // Follows the chain, then handles Space.
    void Update() override;
    Component* Clone() const override { return new CreditsFlowController(*this); }

    // The picture on show (0-3), for tests and tools.
    int Current() const { return current_; }

    std::array<Handle<Fader>, kPictures> faders;

private:
    // The number of faders in the chain: those before the first missing one.
    int ChainLength() const;

    int current_ = 0;
};
