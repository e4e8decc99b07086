#pragma once
// A horizontal bar (health, mana, cool-down) made of three sprites on layer 11: a
// background, a fill whose width follows value between min and max, and a border.
// Created in code only (AddComponent<ProgressBar<int>> or <float>); the creator loads
// the three pictures into border, fill and background after adding it.
#include <algorithm>
#include <cstdint>

#include "gameobjectengine/Transform.h"
#include "graphics/Render.h"
#include "graphics/SpriteRenderer.h"

// The fill ratio: (value - min) / (max - min) clamped to 0..1. When max <= min the bar
// is full once value reaches max and empty otherwise. Never NaN.
template <typename T>
float FillRatio(T min, T max, T value) {
    if (!(max > min)) return value >= max ? 1.0f : 0.0f;
    const float ratio = (static_cast<float>(value) - static_cast<float>(min)) /
                        (static_cast<float>(max) - static_cast<float>(min));
    if (!(ratio > 0.0f)) return 0.0f;  // also catches NaN
    return std::min(ratio, 1.0f);
}

// What both kinds of bar share: the five children and their life cycle.
class ProgressBarBase : public Render {
public:
    static constexpr uint32_t kFromLeft = 0;
    static constexpr uint32_t kFromRight = 2;

    explicit ProgressBarBase(int32_t objectID) : Render(objectID, 0) {}
    ProgressBarBase(const ProgressBarBase&) = delete;
    ProgressBarBase& operator=(const ProgressBarBase&) = delete;
    ~ProgressBarBase() override;

    // Creates the three sprites (layer 11, listed: background drawn first, border last)
    // and the bar's two transforms.
    void Awake() override;
    // Hands the sprites their transforms and sizes the bar from the owner.
    void Start() override;
    // The sprites leave the render list; all five children are deleted.
    void OnDestroy() override;

    SpriteRenderer* border = nullptr;
    SpriteRenderer* fill = nullptr;
    SpriteRenderer* background = nullptr;

protected:
    // Places the bar at the owner (plus barOffset) and sizes the fill by the ratio.
    void Layout(float ratio);

public:
    float width = 0.0f;   // 0: the owner's scale x
    float height = 0.0f;  // 0: the owner's scale y
    uint32_t fillMode = kFromLeft;  // 0 from the left end, 2 from the right end, other: centred
    Transform* barTransform = nullptr;
    Transform* fillTransform = nullptr;
    float barOffset[2] = {0.0f, 0.0f};

private:
    void DeleteChildren();
};

template <typename T>
class ProgressBar : public ProgressBarBase {
public:
    explicit ProgressBar(int32_t objectID) : ProgressBarBase(objectID) {}

    // Every frame, paused or not: follow the owner and show value.
    void Update() override { Layout(FillRatio(min, max, value)); }

    T min{};
    T max{};
    T value{};
};
