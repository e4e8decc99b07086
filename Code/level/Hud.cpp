#include "level/Hud.h"

#include <string>
#include <utility>

#include "combat/CombatUnit.h"
#include "combat/Party.h"
#include "combat/UnitController.h"
#include "combat/Weapon.h"
#include "gameobjectengine/Follow.h"
#include "gameobjectengine/GameObject.h"
#include "gameobjectengine/HeroNames.h"
#include "gameobjectengine/Transform.h"
#include "graphics/GraphicsEngine.h"
#include "graphics/SpriteRenderer.h"
#include "scenemanager/SceneManager.h"
#include "ui/ScreenPictures.h"

namespace {

constexpr float kSkillX[Hud::kSkills] = {670.0f, 750.0f, 830.0f};
constexpr float kKeyX[Hud::kSkills] = {700.0f, 780.0f, 860.0f};
constexpr float kSkillRowY = 70.0f;
constexpr float kRowHeight = 100.0f;
constexpr float kKeysBelowSkills = 70.0f;  // from a skill row's centre to its key prompts' centre

// A new active HUD object with a Transform; null when the object table is full.
GameObject* NewHudObject(const char* name, float x, float y, float scaleX, float scaleY, bool startTransform = true) {
    GameObject* object = SceneManager::GetInstance().CreateGameObject(name);
    if (!object) return nullptr;
    if (Transform* t = object->AddComponent<Transform>(!startTransform)) {
        t->x = x;
        t->y = y;
        t->scaleX = scaleX;
        t->scaleY = scaleY;
    }
    return object;
}

template <typename T>
ProgressBar<T>* AddBar(GameObject* object, T max, T value, float width, const char* background, const char* border,
                       const char* fill) {
    if (!object) return nullptr;
    auto* bar = object->AddComponent<ProgressBar<T>>();
    if (!bar) return nullptr;
    bar->Start();
    bar->min = T{};
    bar->max = max;
    bar->value = value;
    bar->background->LoadTexture(background);
    bar->border->LoadTexture(border);
    if (fill) bar->fill->LoadTexture(fill);
    bar->fillMode = ProgressBarBase::kFromLeft;
    bar->width = width;
    for (SpriteRenderer* sprite : {bar->background, bar->fill, bar->border}) sprite->speed = 0.0f;
    return bar;
}

void ShowBar(ProgressBarBase* bar, bool shown) {
    if (!bar) return;
    for (SpriteRenderer* sprite : {bar->background, bar->fill, bar->border})
        if (sprite) sprite->enabled = shown;
}

Combat::WeaponBasic* WeaponAt(const Combat::CombatUnit& unit, int k) {
    return static_cast<std::size_t>(k) < unit.weapons.size() ? unit.weapons[static_cast<std::size_t>(k)].get() : nullptr;
}

bool Enabled(const Combat::CombatUnit* unit) { return unit && unit->enabled; }

}  // namespace

struct Hud::HeroArt {
    const char* healthBar;
    const char* manaBar;
    const char* icon;
    const char* greyPortrait;
    const char* colourPortrait;
    const char* skillNames[kSkills];
    const char* skillPictures[kSkills];
    const char* lockedPictures[kSkills];
    bool fillOnlyWithWeapon[kSkills];
};

void Hud::Build() {
    static const HeroArt kMage = {
        "mage hp bar", "mage mp bar", "mage icon", "Assets/Art/UI/MageHeadBnW.png", "Assets/Art/UI/MageHead.png",
        {"mageSkill1", "mageSkill2", "mageSkill3"},
        {"Assets/Art/UI/MageSkill1.png", "Assets/Art/UI/MageSkill2.png", "Assets/Art/UI/MageSkill3.png"},
        {"Assets/Art/UI/MageSkill1Locked.png", "Assets/Art/UI/MageSkill2Locked.png", "Assets/Art/UI/MageSkill3Locked.png"},
        {false, true, true}};
    static const HeroArt kThief = {
        "thief hp bar", "thief mp bar", "thief icon", "Assets/Art/UI/ThiefHeadBnW.png", "Assets/Art/UI/ThiefHead.png",
        {"thiefSkill1", "thiefSkill2", "thiefSkill3"},
        {"Assets/Art/UI/ThiefSkill1.png", "Assets/Art/UI/ThiefSkill2.png", "Assets/Art/UI/ThiefSkill3.png"},
        {"Assets/Art/UI/ThiefSkill1Locked.png", "Assets/Art/UI/ThiefSkill2Locked.png",
         "Assets/Art/UI/ThiefSkill3Locked.png"},
        {false, false, false}};
    SceneManager& scene = SceneManager::GetInstance();
    GameObject* thief = scene.GetGameObjectByName(Heroes::kThief);
    GameObject* mage = scene.GetGameObjectByName(Heroes::kMage);
    thiefUnit = thief ? thief->GetComponent<Combat::CombatUnit>() : nullptr;
    mageUnit = mage ? mage->GetComponent<Combat::CombatUnit>() : nullptr;

    // The mage's row sits below the thief's whenever the level has a thief.
    mageRowOffset = thief ? kRowHeight : 0.0f;
    if (Combat::CombatUnit* unit = mageUnit.Get(); Enabled(unit))
        BuildHeroHud(*unit, kMage, mageRowOffset, mageHud, mageHead, mageSkills);
    if (Combat::CombatUnit* unit = thiefUnit.Get(); Enabled(unit))
        BuildHeroHud(*unit, kThief, 0.0f, thiefHud, thiefHead, thiefSkills);
    if (Enabled(thiefUnit.Get()) || Enabled(mageUnit.Get())) {
        // Under the lower row when there are two; the led hero's row once play starts.
        const float lowerRow = thiefUnit && mageUnit ? kRowHeight : 0.0f;
        BuildKeyPrompts(kSkillRowY + lowerRow + kKeysBelowSkills);
        BuildPointer();
    }
}

void Hud::BuildHeroHud(Combat::CombatUnit& unit, const HeroArt& art, float rowOffset, HeroHud& hud,
                       Handle<SpriteRenderer>& head, SkillBars& skills) {
    const float barWidth = static_cast<float>(GraphicsEngine::GetInstance().width) * 0.125f;
    if (auto* bar = AddBar<int32_t>(NewHudObject(art.healthBar, 150.0f, 55.0f + rowOffset, 10.0f, 15.0f),
                                    unit.maxHealth, unit.maxHealth, barWidth, "Assets/Art/UI/HealthBarBG.png",
                                    "Assets/Art/UI/HealthBarBorder.png", "Assets/Art/UI/HealthBarFill.png")) {
        hud.health = bar;
        unit.healthBar = bar;
    }
    if (auto* bar = AddBar<int32_t>(NewHudObject(art.manaBar, 150.0f, 90.0f + rowOffset, 10.0f, 15.0f), unit.maxMana,
                                    unit.maxMana, barWidth, "Assets/Art/UI/ManaBarBG.png",
                                    "Assets/Art/UI/ManaBarBorder.png", "Assets/Art/UI/ManaBarFill.png")) {
        hud.mana = bar;
        unit.manaBar = bar;
    }
    // Portraits are placed in percent of the screen: one row is ten percent lower.
    if (GameObject* icon = NewHudObject(art.icon, 5.0f, 7.0f + rowOffset / 10.0f, 50.0f, 50.0f, false)) {
        hud.portrait = UI::AddScreenSprite(*icon, art.greyPortrait, 11, true);
        head = UI::AddScreenSprite(*icon, art.colourPortrait, 12, false);
    }
    for (int k = 0; k < kSkills; ++k) {
        Combat::WeaponBasic* weapon = WeaponAt(unit, k + 1);
        // A weapon without a cool-down would give the bar no range to fill.
        const float max = weapon && weapon->cooldown > 0.0f ? weapon->cooldown : 1.0f;
        const char* fill = weapon || !art.fillOnlyWithWeapon[k] ? "Assets/Art/UI/SkillFill.png" : nullptr;
        skills[k] = AddBar<float>(NewHudObject(art.skillNames[k], kSkillX[k], kSkillRowY + rowOffset, 10.0f, 30.0f), max,
                                  0.0f, 30.0f, art.skillPictures[k],
                                  weapon ? "Assets/Art/UI/SkillBorder.png" : art.lockedPictures[k], fill);
    }
}

void Hud::BuildKeyPrompts(float y) {
    static const char* const kNames[kSkills] = {"skill1Key", "skill2Key", "skill3Key"};
    static const char* const kPc[kSkills] = {"Qbutton.png", "Wbutton.png", "Ebutton.png"};
    static const char* const kPs4[kSkills] = {"SquareButton.png", "TriangleButton.png", "R1Button.png"};
    static const char* const kX360[kSkills] = {"XboneXButton.png", "XboneYButton.png", "XboneRBButton.png"};
    const std::string folder = "Assets/Art/UI/ControllerUI/";
    for (int k = 0; k < kSkills; ++k) {
        GameObject* object = NewHudObject(kNames[k], kKeyX[k], y, 30.0f, 30.0f);
        SpriteRenderer* sprite = object ? object->AddComponent<SpriteRenderer>(true) : nullptr;
        if (!sprite) continue;
        sprite->controllerDependent = true;
        sprite->file = folder + kPc[k];
        sprite->ps4file = folder + kPs4[k];
        sprite->x360file = folder + kX360[k];
        sprite->layer = 14;
        sprite->speed = 0.0f;
        sprite->Awake();
        sprite->Start();
        skillKeys[k] = sprite;
    }
}

void Hud::BuildPointer() {
    GameObject* object = NewHudObject("Selected Follow", 50.0f, 50.0f, 16.0f, 16.0f);
    if (!object) return;
    if (SpriteRenderer* sprite = object->AddComponent<SpriteRenderer>(true)) {
        sprite->file = "Assets/Art/UI/Selected Pointer.png";
        sprite->layer = 11;
        sprite->enabled = false;
        sprite->Awake();
        sprite->Start();
        pointerSprite = sprite;
    }
    if (Follow* marker = object->AddComponent<Follow>()) {
        marker->yOffset = -100.0f;
        follow = marker;
    }
}

void Hud::ShowHeroHud(const HeroHud& hud, const SkillBars& skills, bool shown) {
    ShowBar(hud.health.Get(), shown);
    ShowBar(hud.mana.Get(), shown);
    UI::Show(hud.portrait.Get(), shown);
    for (const auto& skill : skills) ShowBar(skill.Get(), shown);
}

void Hud::Hide() {
    ShowHeroHud(thiefHud, thiefSkills, false);
    ShowHeroHud(mageHud, mageSkills, false);
    for (const auto& key : skillKeys) UI::Show(key.Get(), false);
    if (Enabled(thiefUnit.Get()) && Enabled(mageUnit.Get())) {
        UI::Show(thiefHead.Get(), false);
        UI::Show(mageHead.Get(), false);
        UI::Show(pointerSprite.Get(), false);
    }
}

void Hud::Show() {
    const bool thief = Enabled(thiefUnit.Get());
    const bool mage = Enabled(mageUnit.Get());
    if (mage) ShowHeroHud(mageHud, mageSkills, true);
    if (thief) ShowHeroHud(thiefHud, thiefSkills, true);
    if (thief || mage)
        for (const auto& key : skillKeys) UI::Show(key.Get(), true);
}

void Hud::MarkActiveHero() {
    // The active hero is whoever the player steers now (a lone Mage is steered through
    // the first party slot).
    const PlayerUnitController* current = Combat::Party::GetInstance().CurrentPlayerController();
    const Combat::CombatUnit* active =
        current && current->owner ? current->owner->GetComponent<Combat::CombatUnit>() : nullptr;
    if (!active || !active->enabled) return;
    const bool thief = active == thiefUnit.Get();
    if (!thief && active != mageUnit.Get()) return;
    UI::Show(thiefHead.Get(), thief);
    UI::Show(mageHead.Get(), !thief);
    UI::Show(pointerSprite.Get(), true);
    if (Follow* marker = follow.Get()) marker->target = active->owner->GetComponent<Transform>();
    PlaceKeyPrompts(thief);
}

void Hud::PlaceKeyPrompts(bool thiefLed) {
    // Q, W and E fire the led hero's skills, so their prompts sit under that hero's row
    // (the pictures keep to their top part, clear of a row below).
    const float y = kSkillRowY + (thiefLed ? 0.0f : mageRowOffset) + kKeysBelowSkills;
    for (const auto& key : skillKeys)
        if (SpriteRenderer* sprite = key.Get(); sprite && sprite->transform) sprite->transform->y = y;
}

void Hud::FollowSkillCooldowns() {
    const std::pair<Combat::CombatUnit*, SkillBars*> heroes[] = {
        {thiefUnit.Get(), &thiefSkills}, {mageUnit.Get(), &mageSkills}};
    for (const auto& [unit, skills] : heroes) {
        if (!unit) continue;
        for (int k = 0; k < kSkills; ++k) {
            ProgressBar<float>* bar = (*skills)[static_cast<std::size_t>(k)].Get();
            const Combat::WeaponBasic* weapon = WeaponAt(*unit, k + 1);
            // Full right after a cast, empty once the skill is ready again.
            if (bar && weapon) bar->value = weapon->cooldown - weapon->timeSinceLastCast;
        }
    }
}
