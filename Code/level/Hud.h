#pragma once
// The two heroes' heads-up display: per hero its health and mana bars, its portrait
// (grey, and in colour while it is the hero the player steers) and its three skill
// cool-downs; under them the skill-key prompts, and a marker over the active hero.
// Built once when a level starts, then hidden, shown and kept up to date each frame by
// the level's game manager, which carries it.
#include <array>
#include <cstdint>

#include "gameobjectengine/Handle.h"
#include "graphics/ProgressBar.h"

class Follow;
class SpriteRenderer;
namespace Combat { class CombatUnit; }

class Hud {
public:
    static constexpr int kSkills = 3;

    // Finds the heroes ("Thief" and "Mage") and builds the parts of the enabled ones: the
    // mage's row, the thief's row, then the key prompts and the marker.
    void Build();
    // Hides every part (the colour portraits and the marker only while both heroes play).
    void Hide();
    // Shows the rows of the enabled heroes and, with either, the key prompts.
    void Show();
    // The colour portrait, the marker and the key prompts go to the hero the player steers.
    void MarkActiveHero();
    // Each skill bar shows the time left until its skill is ready again.
    void FollowSkillCooldowns();

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
    // Puts the skill-key prompts under the skill row of the led hero.
    void PlaceKeyPrompts(bool thiefLed);
};
