#pragma once
// A string drawn in the game's font, placed like any Render; with textKind 1 it is a
// damage number drawn from the digit sheets instead.
#include <string>

#include "graphics/Render.h"

class UIText : public Render {
public:
    // Code defaults: layer 0, white, empty string, text kind 0.
    explicit UIText(int32_t objectID);
    // Render keys, then "stringValue"; without "color" the text is black.
    explicit UIText(const JsonValue& json);
    UIText(const UIText& other) = default;
    ~UIText() override;

    // Entry type 1, listed for drawing.
    void Awake() override;
    void OnDestroy() override;
    Component* Clone() const override;

    // Width of the widest line and the height of all lines, at the transform's scale
    // (scale 1 without a transform).
    void MeasureText(float& width, float& height) const;

    std::string stringValue;
    int32_t textKind = 0;  // 0 font text, 1 damage digits
};
