#pragma once
// The speech bubble: a nine-piece frame sized to its line, a tail below it pointing
// at the speaker, and a text child that types the line out one character at a time.
// Once the whole line shows, a non-modal line moves the conversation on by itself
// after a delay.
//
// The box itself is never drawn: only its pieces, tail and text are in the render
// list. Their transforms hold positions relative to the box; every frame the box
// copies its own position into their drawing offsets.
#include <cstdint>
#include <string>
#include <vector>

#include "graphics/ScaleableSprite.h"
#include "graphics/SpriteRenderer.h"
#include "graphics/UIText.h"

class DialogueBox : public ScaleableSprite {
public:
    // Code defaults: layer 0, alpha 100, white, parallax 1.
    explicit DialogueBox(int32_t objectID);
    // The Render keys only.
    explicit DialogueBox(const JsonValue& json);
    ~DialogueBox() override;

    // Creates (once) and lists the nine pieces, the tail and the text child, with their pictures.
    void Awake() override;
    // The pictures Awake loads (a scene load decodes them ahead).
    static void Pictures(std::vector<std::string>& out);
    // Follows the box, types the pending text out, and auto-advances once it is all shown.
    // Nothing while paused or after game over.
    void Update() override;
    // Unlists and deletes every child.
    void OnDestroy() override;

    // The box and every child (and their transforms) take the state.
    void SetEnabled(bool on) override;
    void ToggleEnabled() override;

    // Wraps the line, sizes the bubble to it and starts typing it out from empty.
    void SetText(const std::string& line);
    // Lays the pieces, tail and text out for the current width and height.
    void Layout();
    // Shows the rest of the line at once.
    void RevealAll();

    bool autoAdvance = false;
    float autoAdvanceDelay = 5.0f;
    bool revealed = false;
    SpriteRenderer* pointer = nullptr;  // the tail
    Transform* pointerTransform = nullptr;
    UIText* textChild = nullptr;
    Transform* textTransform = nullptr;
    std::string pendingText;
    int32_t width = 0;
    int32_t height = 0;
    float timer = 0.0f;
    float charactersPerSecond = 50.0f;

private:
    void CreateChildren();
    void FollowBox();
    void TypeNextCharacter(float dt);
    void DeleteOwnChildren();
};

// The bubble's word wrap: once more than 20 characters stand on a line, the next space
// becomes a line break. Words are never broken.
std::string WrapDialogueText(const std::string& text);
