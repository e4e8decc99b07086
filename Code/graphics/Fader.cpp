#include "graphics/Fader.h"

#include "gameobjectengine/GameFlags.h"
#include "gameobjectengine/GameObject.h"
#include "gameobjectengine/JobManager.h"
#include "gameobjectengine/Time.h"
#include "graphics/Render.h"

Fader::Fader(const JsonValue& json) : Component(json) {
    startingAlpha = json::ReadFloat(json, "startingAlpha", startingAlpha);
    endingAlpha = json::ReadFloat(json, "endingAlpha", endingAlpha);
    fadeTime = json::ReadFloat(json, "fadeTime", fadeTime);
    fadeOnStart = json::ReadFlag(json, "fadeOnStart", fadeOnStart);
    fadeBackAfterDelay = json::ReadFlag(json, "fadeBackAfterDelay", fadeBackAfterDelay);
    fadeBackDelay = json::ReadFloat(json, "fadeBackDelay", fadeBackDelay);
    sceneTransit = json::ReadFlag(json, "sceneTransit", sceneTransit);
    startFadeDelay = json::ReadFloat(json, "startFadeDelay", startFadeDelay);
}

void Fader::Start() {
    if (owner) render = owner->GetComponent<Render>();
    if (!fadeOnStart) return;
    if (startFadeDelay == 0.0f) {
        StartFade();
    } else {
        // Bound to this fader: a fader destroyed before the delay is over starts nothing.
        JobManager::GetInstance().AddJobFor(this, [this]() { StartFade(); }, JobKind::Frame, startFadeDelay);
    }
}

void Fader::SetHandOver(Component* receiver, HandOver handOver) {
    handOverTo_ = receiver;
    handOver_ = handOver;
}

void Fader::StartFade() {
    if (started) return;
    fading = true;
    fadingBack = false;
    timer = 0.0f;
    started = true;
}

void Fader::Update() {
    if (GameFlags::Any(GameFlags::Paused) || !render) return;
    const float dt = Time::GetInstance().deltaTime;
    float a = 0.0f;
    if (fading) {
        timer += dt;
        if (fadeTime > timer) {
            a = startingAlpha - (timer / fadeTime) * (startingAlpha - endingAlpha);
        } else {
            a = endingAlpha;
            fading = false;
            if (fadeBackAfterDelay) {
                timer = fadeTime + fadeBackDelay;
                fadingBack = true;
            } else {
                WriteAlpha(a);
                EndAction();
                return;
            }
        }
    } else if (fadingBack) {
        // The fade back begins the frame after the forward fade ends: one step a frame.
        timer -= dt;
        if (timer > 0.0f && fadeTime > timer) {
            a = startingAlpha - (startingAlpha - endingAlpha) * (timer / fadeTime);
        } else if (timer > 0.0f) {
            a = endingAlpha;
        } else {
            a = startingAlpha;
            fadingBack = false;
            WriteAlpha(a);
            EndAction();
            return;
        }
    } else {
        return;
    }
    WriteAlpha(a);
}

void Fader::WriteAlpha(float a) {
    // Test the float before converting: a value far out of range would not fit an int.
    if (!(a > -1.0f && a < 101.0f)) return;
    render->alpha = static_cast<int32_t>(a);
}

void Fader::EndAction() {
    if (sceneTransit) {
        Component* receiver = handOverTo_.Get();
        if (receiver && handOver_) handOver_(*receiver);
    } else if (Fader* next = nextFader.Get()) {
        if (!next->started) next->StartFade();
    }
}
