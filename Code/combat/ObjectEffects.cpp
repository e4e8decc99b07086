#include "combat/ObjectEffects.h"

#include "animationmanager/Animator.h"
#include "combat/CombatUnit.h"
#include "combat/DataLimits.h"
#include "combat/EmitterCalls.h"
#include "combat/UnitEffects.h"
#include "combat/WeaponArea.h"
#include "gameobjectengine/Follow.h"
#include "gameobjectengine/GameObject.h"
#include "gameobjectengine/Transform.h"
#include "graphics/Fader.h"
#include "graphics/Render.h"
#include "graphics/SpriteRenderer.h"
#include "physics/CircleCollider.h"
#include "physics/Rigidbody.h"
#include "scenemanager/SceneManager.h"

namespace Combat {

namespace {

Transform* TransformOf(const CombatUnit& unit) { return unit.owner ? unit.owner->GetComponent<Transform>() : nullptr; }

// The "Shield FX" bubble: an animated sheet following the unit. Null when the table is full.
GameObject* MakeShieldBubble(Transform& at, const char* texture) {
    GameObject* fx = SceneManager::GetInstance().CreateGameObject("Shield FX");
    if (!fx) return nullptr;
    if (Transform* transform = fx->AddComponent<Transform>()) {
        transform->x = at.x;
        transform->y = at.y;
        transform->scaleX = 150.0f;
        transform->scaleY = 150.0f;
    }
    auto* sprite = fx->AddComponent<SpriteRenderer>(true);
    if (sprite) {
        sprite->file = texture;
        sprite->textureAtlas = true;
        sprite->numSprites = 4;
        sprite->layer = 1;
        sprite->Awake();
    }
    if (auto* animator = fx->AddComponent<Animator>()) {
        animator->spriteRenderer = sprite;
        animator->initialNode = "Default";
        animator->nodes.emplace_back(animator, "Default", 0.0f, 3.0f, 3.0f, 3.0f, 0.05f);
        animator->SetCurrentNode(animator->GetNode("Default"));
    }
    if (auto* follow = fx->AddComponent<Follow>()) follow->target = &at;
    return fx;
}

}  // namespace

// ---- shields -------------------------------------------------------------------------

EffectShield::EffectShield(const JsonValue& json) : EffectOf(json), shieldAmount(json::ReadInt(json, "shieldAmount", 0)) {}

void EffectShield::Resolve(CombatUnit& target) {
    EffectBasic::Resolve(target);
    Transform* at = TransformOf(target);
    if (!at) return;
    GameObject* fx = MakeShieldBubble(*at, "Assets/Art/Effects/Shield.png");
    if (!fx) return;  // no bubble, no shield
    target.shields.push_back(std::make_unique<ShieldBasic>(shieldAmount, duration, fx));
}

EffectShieldBoss::EffectShieldBoss(const JsonValue& json) : EffectOf(json) {}

void EffectShieldBoss::Resolve(CombatUnit& target) {
    EffectBasic::Resolve(target);
    Transform* at = TransformOf(target);
    if (!at) return;
    GameObject* fx = MakeShieldBubble(*at, "Assets/Art/Effects/ShieldBoss.png");
    if (!fx) return;
    target.shields.push_back(std::make_unique<ShieldBoss>(duration, fx));
}

// ---- damage zone ---------------------------------------------------------------------

EffectDamageStatic::EffectDamageStatic(const JsonValue& json)
    : EffectOf(json),
      minDamage(json::ReadInt(json, "minDamage", 0)),
      maxDamage(json::ReadInt(json, "maxDamage", 0)),
      colliderRadius(json::ReadFloat(json, "colliderRadius", 0.0f)),
      tickRate(Limits::AtLeast(json::ReadFloat(json, "tickRate", 0.0f), Limits::kMinHitInterval)) {}

EffectDamageStatic::EffectDamageStatic(const EffectDamageStatic& other)
    : EffectOf(other),
      minDamage(other.minDamage),
      maxDamage(other.maxDamage),
      colliderRadius(other.colliderRadius),
      tickRate(other.tickRate) {}

EffectDamageStatic::~EffectDamageStatic() { EndZone(); }

void EffectDamageStatic::OnApply(CombatUnit& target) {
    tickTimer = 0.0f;
    elapsed = 0.0f;
    Transform* at = TransformOf(target);
    if (!at) return;
    GameObject* zone = SceneManager::GetInstance().CreateGameObject(name + " trigger");
    if (!zone) return;  // the object table is full
    triggerObject = zone;
    if (Transform* transform = zone->AddComponent<Transform>()) {
        transform->x = at->x;
        transform->y = at->y;
        transform->z = at->z;
    }
    auto* circle = zone->AddComponent<CircleCollider>();
    if (circle) circle->SetSize(colliderRadius, colliderRadius);
    auto* body = zone->AddComponent<Rigidbody>();
    if (body) {
        body->collider = circle;
        body->isKinematic = true;
        body->useGravity = false;
    }
    auto hit = std::make_unique<EffectDamage>();
    hit->name = "EffectDamageStatic_Damage";
    hit->resolveType = ResolveType::Instant;
    hit->minDamage = minDamage;
    hit->maxDamage = maxDamage;
    damageEffect = hit.get();
    effects.push_back(std::move(hit));
    const CombatUnit* from = caster.Get();
    if (auto* area = zone->AddComponent<WeaponArea>())
        area->Setup(WeaponArea::kOtherTeams, from ? from->team : target.team, tickRate, -1, "", 0.0f, body, &effects,
                    &target);
    if (auto* follow = zone->AddComponent<Follow>()) follow->target = at;
}

void EffectDamageStatic::OnRemove(CombatUnit&) { EndZone(); }

void EffectDamageStatic::EndZone() {
    // The area stops reading our list before the list goes; the object goes at the end
    // of the update pass.
    if (GameObject* zone = triggerObject.Get()) {
        if (auto* area = zone->GetComponent<WeaponArea>()) area->Detach();
        SceneManager::GetInstance().DestroyGameObject(zone->id);
    }
    triggerObject.Reset();
    damageEffect = nullptr;
    effects.clear();
}

// ---- summon --------------------------------------------------------------------------

namespace {

EffectSummon::SummonedHook& SummonedHookSlot() {
    static EffectSummon::SummonedHook hook;
    return hook;
}

// Hidden at once: the fade-in starts from nothing, not from one visible frame.
void FadeIn(GameObject& summoned) {
    summoned.components.ForEach([](Component* component) {
        if (auto* render = dynamic_cast<Render*>(component)) render->alpha = 0;
    });
    if (auto* fader = summoned.AddComponent<Fader>()) {
        fader->startingAlpha = 0.0f;
        fader->endingAlpha = 100.0f;
        fader->fadeTime = 1.0f;
        fader->StartFade();
    }
}

}  // namespace

void EffectSummon::SetSummonedHook(SummonedHook hook) { SummonedHookSlot() = std::move(hook); }

EffectSummon::EffectSummon(const JsonValue& json)
    : EffectOf(json),
      positionMarkerTag(json::ReadString(json, "positionMarkerTag", "")),
      prefabFilepath(json::ReadString(json, "prefabFilepath", "")) {}

void EffectSummon::OnApply(CombatUnit&) {
    markers.clear();
    SceneManager::GetInstance().Objects().ForEach([this](GameObject* object) {
        if (Transform* transform = object->GetComponent<Transform>()) markers.emplace_back(transform);
    });
    nextMarker = 0;
}

void EffectSummon::Resolve(CombatUnit& target) {
    EffectBasic::Resolve(target);
    Transform* marker = nullptr;
    for (; nextMarker < markers.size(); ++nextMarker) {
        Transform* candidate = markers[nextMarker].Get();  // a destroyed marker is passed over
        if (candidate && candidate->owner && candidate->owner->tag == positionMarkerTag) {
            marker = candidate;
            break;
        }
    }
    if (!marker) return;
    ++nextMarker;  // each marker is used once per application
    if (auto* fader = marker->owner->GetComponent<Fader>(); fader && !fader->fading) fader->StartFade();
    GameObject* summoned = SceneManager::GetInstance().LoadPrefab(prefabFilepath);
    if (!summoned) return;  // the marker still counts as used
    FadeIn(*summoned);
    Transform* place = summoned->GetComponent<Transform>();
    if (!place) place = summoned->AddComponent<Transform>();
    if (place) {
        place->x = marker->x;
        place->y = marker->y;
        place->z = marker->z;
    }
    Emitters::SpawnSummonEffect(target, marker->x, marker->y);
    if (const SummonedHook& hook = SummonedHookSlot()) hook(*summoned);
}

void EffectSummon::OnRemove(CombatUnit&) { markers.clear(); }

}  // namespace Combat
