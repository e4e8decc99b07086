#pragma once
// A nine-piece frame (four corners, four edges, a middle) that stretches to any size
// without distorting its corners. The base of the speech bubble, which loads the nine
// pictures, lists the pieces for drawing and sizes the frame.
#include <cstdint>

#include "gameobjectengine/Transform.h"
#include "graphics/Render.h"
#include "graphics/SpriteRenderer.h"

class ScaleableSprite : public Render {
public:
    static constexpr int kPieces = 9;  // top-left, top, top-right, left, middle, right, bottom-left, bottom, bottom-right

    ScaleableSprite(const ScaleableSprite&) = delete;
    ScaleableSprite& operator=(const ScaleableSprite&) = delete;
    ~ScaleableSprite() override;

    // Creates the nine pieces (no file) and their transforms; lists nothing.
    void Awake() override;
    // Every piece follows the frame's own position through its offset.
    void Update() override;
    // Pieces leave the render list; all eighteen children are deleted.
    void OnDestroy() override;

    // The frame and all eighteen children.
    virtual void SetEnabled(bool on);
    virtual void ToggleEnabled();

    // Lays the pieces out for a frame of width x height pixels around the frame's centre.
    void Resize(int32_t width, int32_t height);

    SpriteRenderer* pieces[kPieces] = {};
    Transform* pieceTransforms[kPieces] = {};

protected:
    // Only a subclass (the speech bubble) makes one.
    ScaleableSprite(int32_t objectID, int32_t drawLayer) : Render(objectID, drawLayer) {}
    explicit ScaleableSprite(const JsonValue& json) : Render(json) {}

private:
    void DeleteChildren();
};
