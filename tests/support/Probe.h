#pragma once
// A component that counts its life-cycle calls, for tests.
#include <functional>

#include "gameobjectengine/Component.h"

struct ProbeCounts {
    int awake = 0;
    int start = 0;
    int update = 0;
    int destroy = 0;
    int sceneLoaded = 0;
};

class Probe : public Component {
public:
    explicit Probe(int32_t id) : Component(id) {}
    explicit Probe(const JsonValue& json) : Component(json) {}

    void Awake() override { ++counts.awake; }
    void Start() override { ++counts.start; }
    void Update() override {
        ++counts.update;
        if (onUpdate) onUpdate();
    }
    void OnDestroy() override {
        ++counts.destroy;
        if (destroyed) ++*destroyed;
    }
    void OnSceneLoaded() override { ++counts.sceneLoaded; }

    ProbeCounts counts;
    int* destroyed = nullptr;  // survives the probe, for counting OnDestroy after deletion
    std::function<void()> onUpdate;
};
