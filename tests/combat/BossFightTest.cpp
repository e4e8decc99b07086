// The two bosses against a newcomer. A plain player walks to the boss, attacks with F and
// with every skill that is ready, swaps heroes when the led one falls under a third of its
// health and jumps when hit; it beats each boss in at least 7 of 10 seeds within three
// minutes of game time. Heroes that stand still (only turning the conversation's pages)
// beat neither boss in any seed.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "EngineHarness.h"
#include "combat/CombatUnit.h"
#include "combat/Party.h"
#include "combat/UnitController.h"
#include "combat/Weapon.h"
#include "gameobjectengine/GameFlags.h"
#include "gameobjectengine/GameRandom.h"
#include "gameobjectengine/Transform.h"
#include "physics/Rigidbody.h"
#include "scenemanager/SceneManager.h"

using Combat::CombatUnit;

namespace {

constexpr int kFramesPerSecond = 60;
constexpr int kFightFrames = 3 * 60 * kFramesPerSecond;
constexpr unsigned kSeeds = 10;
constexpr int kPlainWinsAtLeast = 7;  // of the ten seeds
constexpr InputAction kRight = InputAction::Right, kLeft = InputAction::Left, kJump = InputAction::Jump,
                      kAttack = InputAction::Weapon0, kSwap = InputAction::Swap;
constexpr InputAction kSkills[] = {InputAction::Weapon1, InputAction::Weapon2, InputAction::Weapon3};

struct Boss {
    const char* scene;
    const char* name;
};

enum class Player { Plain, StandingStill };

struct Fight {
    Boss boss;
    Player player;
    unsigned firstSeed, lastSeed;  // the still heroes' long fights run in two halves, side by side
};

class PlainPlayer {
public:
    PlainPlayer(EngineHarness& engine, Transform& boss) : engine_(engine), boss_(boss) {}

    void Act(int frame, Player player) {
        ReleaseAll();
        if (GameFlags::Any(GameFlags::Cutscene)) {  // read the line, then turn the page
            if (frame % kFramesPerSecond == 0) engine_.Press(kJump);
            return;
        }
        PlayerUnitController* led = Combat::Party::GetInstance().CurrentPlayerController();
        if (player == Player::StandingStill || !led || !led->unit) return;
        CombatUnit& unit = *led->unit;
        Walk(unit);
        Attack(unit);
        if (unit.currentHealth < lastHealth_) engine_.Press(kJump);
        lastHealth_ = unit.currentHealth;
        if (unit.currentHealth * 3 < unit.maxHealth && PartnerIsFitter(unit)) {
            engine_.Press(kSwap);
            lastHealth_ = 1 << 30;  // the next led hero starts unhurt as far as jumping goes
        }
    }

private:
    void ReleaseAll() {
        for (InputAction action : {kRight, kLeft, kJump, kAttack, kSkills[0], kSkills[1], kSkills[2], kSwap})
            engine_.Release(action);
    }

    // Up to the boss, stopping a short step in front of it, and turned toward it.
    void Walk(const CombatUnit& unit) {
        const Transform* self = unit.owner ? unit.owner->GetComponent<Transform>() : nullptr;
        if (!self || !unit.rigidbody) return;
        const float dx = boss_.x - self->x;
        const float stop = boss_.scaleX * 0.5f + 60.0f;
        const bool facingBoss = (unit.rigidbody->facing == 1) == (dx > 0.0f);
        if (dx > stop || (dx > 0.0f && !facingBoss)) engine_.Press(kRight);
        if (dx < -stop || (dx < 0.0f && !facingBoss)) engine_.Press(kLeft);
    }

    // A ready skill first (its key pressed), otherwise the plain attack (F held).
    void Attack(const CombatUnit& unit) {
        for (int k = 1; k <= 3; ++k)
            if (k < static_cast<int>(unit.weapons.size()) && unit.weapons[k]->CanCast(unit)) {
                engine_.Press(kSkills[k - 1]);
                return;
            }
        engine_.Press(kAttack);
    }

    static bool PartnerIsFitter(const CombatUnit& led) {
        AIUnitController* partner = Combat::Party::GetInstance().CurrentAIController();
        const CombatUnit* other = partner ? partner->unit : nullptr;
        return other && other->IsAlive() && other->currentHealth * led.maxHealth > led.currentHealth * other->maxHealth;
    }

    EngineHarness& engine_;
    Transform& boss_;
    int lastHealth_ = 1 << 30;
};

// Plays one fight from the level's start; true when the boss falls before the heroes do
// and within three minutes.
bool BossFalls(const Boss& boss, Player player, unsigned seed) {
    EngineHarness engine;
    engine.LoadSceneFile(std::string("Assets/Scenes/") + boss.scene + ".scene");
    GameRandom::Seed(seed);
    CombatUnit* bossUnit = engine.Get<CombatUnit>(boss.name);
    Transform* bossPlace = engine.Get<Transform>(boss.name);
    EXPECT_TRUE(bossUnit && bossPlace) << boss.scene;
    if (!bossUnit || !bossPlace) return false;
    PlainPlayer plain(engine, *bossPlace);
    for (int frame = 0; frame < kFightFrames; ++frame) {
        plain.Act(frame, player);
        engine.Step();
        if (!bossUnit->IsAlive()) return true;
        if (GameFlags::Any(GameFlags::GameOver)) return false;
    }
    return false;
}

void PrintTo(const Fight& fight, std::ostream* out) {
    *out << fight.boss.scene << (fight.player == Player::Plain ? " plain" : " standing still") << " seeds "
         << fight.firstSeed << "-" << fight.lastSeed;
}

class BossFight : public testing::TestWithParam<Fight> {};

TEST_P(BossFight, WinsOfTenSeeds) {
    const Fight& fight = GetParam();
    int wins = 0;
    std::string outcomes;
    for (unsigned seed = fight.firstSeed; seed <= fight.lastSeed; ++seed) {
        const bool won = BossFalls(fight.boss, fight.player, seed);
        wins += won ? 1 : 0;
        outcomes += won ? 'W' : '-';
    }
    if (fight.player == Player::Plain)
        EXPECT_GE(wins, kPlainWinsAtLeast) << fight.boss.scene << ": " << outcomes;
    else
        EXPECT_EQ(wins, 0) << fight.boss.scene << " from seed " << fight.firstSeed << ": " << outcomes;
}

constexpr Boss kLaserBoss{"9_Magitek", "EnemyLaser"};
constexpr Boss kFinalBoss{"10_Magitek", "Boss"};

INSTANTIATE_TEST_SUITE_P(Bosses, BossFight,
                         testing::Values(Fight{kLaserBoss, Player::Plain, 1, kSeeds},
                                         Fight{kLaserBoss, Player::StandingStill, 1, kSeeds / 2},
                                         Fight{kLaserBoss, Player::StandingStill, kSeeds / 2 + 1, kSeeds},
                                         Fight{kFinalBoss, Player::Plain, 1, kSeeds},
                                         Fight{kFinalBoss, Player::StandingStill, 1, kSeeds}),
                         [](const testing::TestParamInfo<Fight>& fight) {
                             return std::string(fight.param.boss.scene[0] == '9' ? "Laser" : "Final") +
                                    (fight.param.player == Player::Plain ? "Plain" : "StandingStill") + "From" +
                                    std::to_string(fight.param.firstSeed);
                         });

}  // namespace
