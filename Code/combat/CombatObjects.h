#pragma once
// Small objects that combat spawns: floating numbers and one-sprite pictures. Each
// returns null (and creates nothing) when the scene's object table is full.
#include <cstdint>
#include <string>

class GameObject;
class SpriteRenderer;
class Transform;

namespace Combat {

// Units, projectiles and combat pictures draw on this layer (see docs/rendering.md).
constexpr int32_t kUnitLayer = 3;

// An active object `objectName` with a Transform, a DamageText rising from `source`
// showing `value` in `style`, and a TimeToLive of 1.5 s.
GameObject* SpawnNumber(const char* objectName, Transform* source, uint32_t value, int32_t style);
// A SpriteRenderer on the units' layer, its layer set before it wakes; no load for an
// empty path.
SpriteRenderer* AddUnitSprite(GameObject& object, const std::string& path);

}  // namespace Combat
