#pragma once
// Scrolls the view: moves its own object's Transform so that the led hero stays in a
// dead zone of the screen, recentres on the other hero after a party swap, and shakes
// sideways on request, never past the level's ends. The renderer draws the world
// shifted by minus this Transform's position. The camera registers itself as the
// scene's main camera when it wakes and withdraws when it is destroyed.
#include <cstdint>

#include "gameobjectengine/Component.h"
#include "gameobjectengine/Handle.h"

class Transform;

class Camera : public Component {
public:
    enum class Mode : uint32_t { DeadZone = 0, Recentre = 1 };
    // The screen the projection always shows.
    static constexpr float kDefaultScreenWidth = 1920.0f;
    static constexpr float kDefaultScreenHeight = 1080.0f;

    explicit Camera(int32_t objectID);
    // "levelWidth", "playerTransform", "secondaryPlayerTransform" (object indices),
    // "screenWidth", "screenHeight" (0 or less: 1920 x 1080).
    explicit Camera(const JsonValue& json);
    Camera(const Camera&) = default;

    // Becomes the main camera, dead-zone mode, dead zone converted to pixels.
    void Awake() override;
    void Start() override;
    // Follow and shake; nothing while paused, without an own Transform or any target.
    void Update() override;
    void OnDestroy() override;
    Component* Clone() const override;

    // Adds shake time; the magnitude is redrawn (5..14 px).
    void AddShake(float seconds);
    // Exchanges the two targets, starts recentring and plays the new hero's swap line.
    void SwapTargets();

    // A rectangle of the world, edges included.
    struct View {
        float left = 0.0f, top = 0.0f, right = 0.0f, bottom = 0.0f;
        bool Contains(float x, float y) const { return x >= left && x <= right && y >= top && y <= bottom; }
    };
    // What this camera shows: from its position (the world point at the screen's
    // top-left corner) over the screen's width and height.
    View ViewRect() const;
    // What the player sees now: the main camera's view; with no main camera the world
    // is drawn unshifted, so the screen at the world's origin.
    static View MainView();

    // The scene's main camera, or null (none registered, or it has been destroyed).
    static Camera* Main();
    static void SetMain(Camera* camera);
    // Clears the main camera only if it is this one.
    static void ForgetMain(const Camera* camera);

    float levelWidth = 0.0f;
    Transform* transform = nullptr;  // own object's
    Handle<Transform> target;
    Handle<Transform> secondaryTarget;
    float shakeTime = 0.0f;
    float shakeMagnitude = 0.0f;
    float shakePhase = 0.0f;
    bool shakeSide = false;
    Mode mode = Mode::DeadZone;
    float screenWidth = 0.0f;
    float screenHeight = 0.0f;
    float velocityX = 0.0f;
    float velocityY = 0.0f;

    // Dead zone, in percent of the screen (fixed) and in pixels (from Awake).
    int32_t leftPercent = 35, rightPercent = 65, topPercent = 25, bottomPercent = 70;
    int32_t centreXPercent = 50, centreYPercent = 60;
    float leftEdge = 0.0f, rightEdge = 0.0f, topEdge = 0.0f, bottomEdge = 0.0f;
    float centreX = 0.0f, centreY = 0.0f;

private:
    void QueueTargetLookup(const JsonValue& json, const char* key, Handle<Transform>* into);
    // Horizontal correction; true when the recentring counts as reached horizontally.
    bool ScrollX(float dx);
    // Vertical correction; true when the recentring counts as reached vertically.
    bool ScrollY(float dy, float dt);
    void Shake(float dt);
    // Takes back what this frame's move carried past the level's ends (0 and levelWidth
    // minus screenWidth), when the view was inside before it.
    void KeepInsideLevel(float before);
};
