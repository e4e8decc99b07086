#pragma once
// Fades the first drawable of its object by stepping its alpha (0-100) from
// startingAlpha to endingAlpha over fadeTime seconds; optionally waits and fades back.
// At the very end it starts the next fader of a chain, or changes the scene through
// the object's SceneTransition.
#include "gameobjectengine/Component.h"
#include "gameobjectengine/Handle.h"

class Render;
class SceneTransition;

class Fader : public Component {
public:
    explicit Fader(int32_t objectID) : Component(objectID) {}
    // "startingAlpha", "endingAlpha", "fadeTime", "fadeOnStart", "fadeBackAfterDelay",
    // "fadeBackDelay", "sceneTransit", "startFadeDelay".
    explicit Fader(const JsonValue& json);

    // Finds the drawable and the scene transition; starts (or schedules) the fade.
    void Start() override;
    // One step of the fade (nothing while paused).
    void Update() override;
    Component* Clone() const override { return new Fader(*this); }

    // Starts the fade unless this fader was already started.
    void StartFade();

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
    SceneTransition* sceneTransition = nullptr;
    bool fading = false;
    bool fadingBack = false;
    float timer = 0.0f;

private:
    void EndAction();
    void WriteAlpha(float a);
};
