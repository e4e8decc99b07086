#pragma once
// Fades the first drawable of its object by stepping its alpha (0-100) from
// startingAlpha to endingAlpha over fadeTime seconds; optionally waits and fades back.
// At the very end it starts the next fader of a chain, or (sceneTransit) hands over to
// what the object's scene transition installed.
#include "gameobjectengine/Component.h"
#include "gameobjectengine/Handle.h"

class Render;

class Fader : public Component {
public:
    explicit Fader(int32_t objectID) : Component(objectID) {}
    // "startingAlpha", "endingAlpha", "fadeTime", "fadeOnStart", "fadeBackAfterDelay",
    // "fadeBackDelay", "sceneTransit", "startFadeDelay".
    explicit Fader(const JsonValue& json);

    // Finds the drawable; starts (or schedules) the fade.
    void Start() override;
    // One step of the fade (nothing while paused).
    void Update() override;
    Component* Clone() const override { return new Fader(*this); }

    // Starts the fade unless this fader was already started.
    void StartFade();
    // What a finished fade with sceneTransit calls, with its receiver (null: nothing
    // happens, as when the receiver is gone). The scene transition of the object
    // installs itself when it starts.
    using HandOver = void (*)(Component& receiver);
    void SetHandOver(Component* receiver, HandOver handOver);

    Handle<Fader> nextFader;  // started at the end when sceneTransit is off (null once gone)
    bool started = false;
    float startingAlpha = 100.0f;
    float endingAlpha = 0.0f;
    float fadeTime = 0.0f;
    bool fadeOnStart = false;
    bool fadeBackAfterDelay = false;
    float fadeBackDelay = 0.0f;
    bool sceneTransit = false;
    float startFadeDelay = 0.0f;
    Render* render = nullptr;
    bool fading = false;
    bool fadingBack = false;
    float timer = 0.0f;

private:
    void EndAction();
    Handle<Component> handOverTo_;
    HandOver handOver_ = nullptr;
    void WriteAlpha(float a);
};
