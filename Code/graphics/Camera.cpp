#include "graphics/Camera.h"

#include <algorithm>
#include <cmath>

#include "audio/AudioManager.h"
#include "gameobjectengine/GameFlags.h"
#include "gameobjectengine/GameObject.h"
#include "gameobjectengine/GameRandom.h"
#include "gameobjectengine/HeroNames.h"
#include "gameobjectengine/JobManager.h"
#include "gameobjectengine/Time.h"
#include "gameobjectengine/Transform.h"

namespace {

// The main camera: the renderer shifts the world by it; a handle, as it can die first.
Handle<Camera>& MainSlot() {
    static Handle<Camera> slot;
    return slot;
}

// Smoothing: 0.5 - 0.5 cos(3 degrees), about 0.000685.
const float kSmoothing = 0.5f - 0.5f * std::cos(0.05235988f);
constexpr float kRecentreToleranceX = 5.5f;
constexpr float kRecentreToleranceY = 0.5f;

float HorizontalTier(float c, Camera::Mode mode) {
    if (c < 50.0f) return mode == Camera::Mode::Recentre ? 8.0f : 5.5f;
    if (c < 100.0f) return 8.0f;
    if (c < 150.0f) return 12.5f;
    return 15.5f;
}

float VerticalTier(float d) {
    if (d < 50.0f) return 15.5f;
    if (d < 100.0f) return 12.0f;
    if (d < 150.0f) return 15.5f;
    return 19.5f;
}

}  // namespace

Camera::Camera(int32_t objectID) : Component(objectID) {}

Camera::Camera(const JsonValue& json)
    : Component(json),
      levelWidth(json::ReadFloat(json, "levelWidth", 0.0f)),
      screenWidth(json::ReadFloat(json, "screenWidth", 0.0f)),
      screenHeight(json::ReadFloat(json, "screenHeight", 0.0f)) {
    QueueTargetLookup(json, "playerTransform", &target);
    QueueTargetLookup(json, "secondaryPlayerTransform", &secondaryTarget);
    QueueFetchComponent(this, owner, &transform);
}

void Camera::QueueTargetLookup(const JsonValue& json, const char* key, Handle<Transform>* into) {
    if (!json::Has(json, key)) return;
    GameObject* object = ResolveGameObject(json::ReadInt(json, key, -1));
    if (!object) return;
    Handle<GameObject> found(object);
    JobManager::GetInstance().AddJobFor(
        this,
        [found, into]() {
            if (GameObject* o = found.Get()) *into = o->GetComponent<Transform>();
        },
        JobKind::Lookup, 0.0f);
}

void Camera::Awake() {
    SetMain(this);
    mode = Mode::DeadZone;
    // A file without a screen size would otherwise give a zero-sized dead zone.
    if (!(screenWidth > 0.0f)) screenWidth = kDefaultScreenWidth;
    if (!(screenHeight > 0.0f)) screenHeight = kDefaultScreenHeight;
    leftEdge = leftPercent * screenWidth / 100.0f;
    rightEdge = rightPercent * screenWidth / 100.0f;
    topEdge = topPercent * screenHeight / 100.0f;
    bottomEdge = bottomPercent * screenHeight / 100.0f;
    centreX = centreXPercent * screenWidth / 100.0f;
    centreY = centreYPercent * screenHeight / 100.0f;
}

void Camera::Start() {
    if (!transform && owner) transform = owner->GetComponent<Transform>();
}

void Camera::OnDestroy() { ForgetMain(this); }

Camera* Camera::Main() { return MainSlot().Get(); }

void Camera::SetMain(Camera* camera) { MainSlot() = camera; }

void Camera::ForgetMain(const Camera* camera) {
    if (MainSlot().Refers(camera)) MainSlot().Reset();
}

Component* Camera::Clone() const { return new Camera(*this); }

void Camera::AddShake(float seconds) {
    shakeTime += seconds;
    shakeMagnitude = static_cast<float>(GameRandom::Next() % 10 + 5);
}

void Camera::SwapTargets() {
    std::swap(target, secondaryTarget);
    mode = Mode::Recentre;
    Transform* now = target.Get();
    if (!now || !now->owner) return;
    const std::string& name = now->owner->name;
    if (name == Heroes::kThief) {
        const bool odd = GameRandom::Next() % 2 != 0;
        AudioManager::GetInstance().PlaySound(odd ? "Assets/Audio/VA/Thief_Swap.ogg" : "Assets/Audio/VA/Thief_Swap2.ogg",
                                           1, false, -1, 0.6f);
    } else if (name == Heroes::kMage) {
        const bool odd = GameRandom::Next() % 2 != 0;
        AudioManager::GetInstance().PlaySound(odd ? "Assets/Audio/VA/Mage_Swap.ogg" : "Assets/Audio/VA/Mage_Swap2.ogg",
                                           1, false, -1, 0.5f);
    }
}

Camera::View Camera::ViewRect() const {
    // The renderer shifts by the position of the object's Transform.
    const Transform* at = transform ? transform : (owner ? owner->GetComponent<Transform>() : nullptr);
    const float x = at ? at->x : 0.0f;
    const float y = at ? at->y : 0.0f;
    return {x, y, x + screenWidth, y + screenHeight};
}

Camera::View Camera::MainView() {
    if (const Camera* camera = Main()) return camera->ViewRect();
    return {0.0f, 0.0f, kDefaultScreenWidth, kDefaultScreenHeight};
}

void Camera::Update() {
    if (GameFlags::Any(GameFlags::Paused)) return;
    if (!target) target = secondaryTarget;
    if (!secondaryTarget) secondaryTarget = target;
    Transform* followed = target.Get();
    if (!transform || !followed) return;

    const float dt = Time::GetInstance().deltaTime;
    const float before = transform->x;
    const float dx = followed->x - transform->x;
    const float dy = followed->y - transform->y;
    velocityX = 0.0f;
    velocityY = 0.0f;
    const bool reachedX = ScrollX(dx);
    const bool reachedY = ScrollY(dy, dt);
    if (mode == Mode::Recentre && reachedX && reachedY) mode = Mode::DeadZone;

    transform->x += 2.0f * dt * velocityX;
    transform->y += 3.0f * dt * velocityY;
    Shake(dt);
    KeepInsideLevel(before);
}

void Camera::KeepInsideLevel(float before) {
    // The follow only scrolls while the view is inside the level, but one long frame's
    // step, or a shake whose two sides differ, can carry it past an end, where nothing is
    // drawn; and a view left just past the left end is never scrolled back. What this
    // frame's move carried out is taken back; a view that a scene put outside stays.
    const float last = std::max(0.0f, levelWidth - screenWidth);
    if (before >= 0.0f && transform->x < 0.0f) transform->x = 0.0f;
    if (before <= last && transform->x > last) transform->x = last;
}

bool Camera::ScrollX(float dx) {
    const float camX = transform->x;
    const bool roomRight = levelWidth > screenWidth + camX;
    float c = 0.0f;
    bool right = false;
    bool reached = false;
    if (mode == Mode::DeadZone) {
        if (dx > rightEdge) {
            if (roomRight) c = dx - rightEdge, right = true;
        } else if (dx < leftEdge && camX > 0.0f) {
            c = leftEdge - dx;
        }
    } else {
        if (dx > centreX + kRecentreToleranceX && roomRight) c = dx - centreX, right = true;
        else if (dx < centreX - kRecentreToleranceX && camX > 0.0f) c = centreX - dx;
        else reached = true;
    }
    if (c == 0.0f) return reached;

    const float tier = HorizontalTier(c, mode);
    if (mode == Mode::Recentre) c += 5.0f;
    const float base = kSmoothing * tier * dx;
    if (right) {
        velocityX = base + c + (mode == Mode::Recentre ? 105.0f : 0.0f);
    } else {
        if (mode == Mode::Recentre) c += 105.0f;
        velocityX = -(base + c);
    }
    return reached;
}

bool Camera::ScrollY(float dy, float dt) {
    float d = 0.0f;
    if (mode == Mode::DeadZone) {
        if (dy > bottomEdge) d = dy - bottomEdge;
        else if (dy < topEdge) d = dy - topEdge;
    } else {
        if (dy > centreY + kRecentreToleranceY || dy < centreY - kRecentreToleranceY) d = dy - centreY;
        else return true;
    }
    if (d == 0.0f) return false;
    velocityY = kSmoothing * VerticalTier(d) * dy + d;
    if (mode != Mode::Recentre) return false;
    // The smoothing term biases the approach: a hero above the line would settle a few
    // pixels short of it and never come within tolerance. Count the recentring as done
    // once this frame's step crosses the line or has become too small to matter.
    const float step = 3.0f * dt * velocityY;
    const float after = d - step;
    return (after > 0.0f) != (d > 0.0f) || std::fabs(step) < kRecentreToleranceY;
}

void Camera::Shake(float dt) {
    shakePhase += dt;
    if (shakePhase > 360.0f) shakePhase = 0.0f;
    if (!(shakeTime > 0.0f)) return;
    shakeTime -= dt;
    float m = std::cos(shakePhase);
    m *= m;
    if (m < 0.5f) m = 1.0f - m;
    transform->x += shakeSide ? m * shakeMagnitude : -m * shakeMagnitude;
    shakeSide = !shakeSide;
}
