#pragma once
// The level's own manager: builds the two heroes' heads-up display (health and mana bars,
// portraits, skill cool-downs, key prompts and the marker over the active hero), starts
// the level's conversation one second in, records the level as the continue point, and
// turns a hero's fall into the game-over picture and, two seconds later, the death menu.
#include <array>
#include <cstdint>

#include "gameobjectengine/Component.h"
#include "gameobjectengine/Handle.h"
#include "graphics/ProgressBar.h"

class Follow;
class GameObject;
class SpriteRenderer;
namespace Combat { class CombatUnit; }

class GameManager : public Component {
public:
    static constexpr int kSkills = 3;

    explicit GameManager(int32_t objectID) : Component(objectID) {}
    // "saveScene" (absent: true).
    explicit GameManager(const JsonValue& json);

    // Finds the heroes and builds the HUD.
    void Start() override;
    // Level intro, HUD, skill bars and game over (runs while paused too).
    void Update() override;
    // Clears the game flags; records the level as the continue point.
    void OnSceneLoaded() override;

    // The restart-or-quit menu over the game-over picture.
    void ShowDeathMenu();

    Handle<Follow> follow;  // the marker over the active hero
    Handle<Combat::CombatUnit> thiefUnit;
    Handle<Combat::CombatUnit> mageUnit;
    Handle<SpriteRenderer> thiefHead;  // colour portraits, shown for the active hero
    Handle<SpriteRenderer> mageHead;
    Handle<SpriteRenderer> pointerSprite;
    using SkillBars = std::array<Handle<ProgressBar<float>>, kSkills>;
    SkillBars thiefSkills;
    SkillBars mageSkills;
    std::array<Handle<SpriteRenderer>, kSkills> skillKeys;
    bool firstFrame = true;
    bool saveScene = true;

    // What the HUD hides and shows as a whole: per hero its health and mana bars and the
    // grey portrait.
    struct HeroHud {
        Handle<ProgressBar<int32_t>> health;
        Handle<ProgressBar<int32_t>> mana;
        Handle<SpriteRenderer> portrait;
    };
    HeroHud thiefHud;
    HeroHud mageHud;
    float mageRowOffset = 0.0f;  // the mage's HUD row sits this far below the thief's

private:
    struct HeroArt;
    void BuildHeroHud(Combat::CombatUnit& unit, const HeroArt& art, float rowOffset, HeroHud& hud,
                      Handle<SpriteRenderer>& head, SkillBars& skills);
    void BuildKeyPrompts(float y);
    void BuildPointer();
    static void ShowHeroHud(const HeroHud& hud, const SkillBars& skills, bool shown);
    void HideHud();
    void ShowHud();
    void MarkActiveHero();
    // Puts the skill-key prompts under the skill row of the led hero.
    void PlaceKeyPrompts(bool thiefLed);
    void FollowSkillCooldowns();
    void CheckGameOver();
    void StartGameOver(bool thiefFell);
};
