// Shields: absorbing, breaking, expiring, blinking and their bubbles.
#include "CombatFixture.h"

#include "combat/Shield.h"
#include "gameobjectengine/Blink.h"

namespace {

using namespace combat_test;

std::string ShieldEffect(int amount, float duration) {
    return R"({"name": "Shield", "effectType": 5, "resolveType": 1, "shieldAmount": )" + std::to_string(amount) +
           R"(, "duration": )" + std::to_string(duration) + "}";
}

TEST(Shields, AbsorbBeforeHealth) {
    struct Row {
        int amount, hit;
        int left;  // shield amount left, -1 broken
        int health;
        uint32_t shown;
        int32_t style;
        int alpha;
    };
    const Row rows[] = {
        {50, 30, 20, 1000, 30, 2, 40},
        {50, 50, -1, 1000, 50, 2, -1},
        {50, 80, -1, 970, 50, 2, -1},
        {600, 550, 50, 1000, 550, 1, 8},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.hit);
        CombatScene arena;
        arena.Unit("Target", "Player", 300.0f, R"("currentHealth": 1000, "maxHealth": 1000, "minDamageToKnockback": 5000)");
        arena.Load();
        CombatUnit* unit = arena.Get("Target");
        unit->effectList->AddEffect(*MakeEffect(ShieldEffect(row.amount, 10.0f)));
        arena.engine.Step();
        ASSERT_EQ(unit->shields.size(), 1u);
        GameObject* bubble = unit->shields[0]->fx.Get();
        ASSERT_NE(bubble, nullptr);
        EXPECT_EQ(bubble->name, "Shield FX");
        unit->TakeDamage(row.hit, row.hit);
        EXPECT_EQ(unit->currentHealth, row.health);
        GameObject* number = SceneManager::GetInstance().GetGameObjectByName("DamageText");
        ASSERT_NE(number, nullptr);
        EXPECT_EQ(number->GetComponent<DamageText>()->value, row.shown);
        EXPECT_EQ(number->GetComponent<DamageText>()->style, row.style);
        if (row.left < 0) {
            EXPECT_TRUE(unit->shields.empty());
            arena.engine.Step();
            EXPECT_EQ(CountNamed("Shield FX"), 0);
            continue;
        }
        EXPECT_EQ(unit->shields[0]->GetAmount(), row.left);
        arena.engine.Step();
        EXPECT_EQ(bubble->GetComponent<SpriteRenderer>()->alpha, row.alpha);
    }
}

TEST(Shields, OlderShieldAbsorbsFirstAndBothExpire) {
    CombatScene arena(0.25f);
    arena.Unit("Target", "Player", 300.0f, R"("minDamageToKnockback": 5000)");
    arena.Load();
    CombatUnit* unit = arena.Get("Target");
    unit->effectList->AddEffect(*MakeEffect(ShieldEffect(20, 2.0f)));
    arena.engine.Step();
    auto second = MakeEffect(ShieldEffect(40, 2.0f));
    second->name = "Shield2";
    unit->effectList->AddEffect(*second);
    arena.engine.Step();
    ASSERT_EQ(unit->shields.size(), 2u);
    unit->TakeDamage(30, 30);  // 20 from the first (broken), 10 from the second
    ASSERT_EQ(unit->shields.size(), 1u);
    EXPECT_EQ(unit->shields[0]->GetAmount(), 30);
    EXPECT_EQ(unit->currentHealth, 100);
    arena.engine.Step(7);  // 1.75 s of its 2 counted down
    EXPECT_EQ(unit->shields.size(), 1u);
    arena.engine.Step();   // 0 left counts as expired
    EXPECT_TRUE(unit->shields.empty());
}

TEST(Shields, BlinkThroughTheLastFortyPercent) {
    CombatScene arena;
    arena.Unit("Target", "Player", 300.0f);
    arena.Load();
    arena.Get("Target")->effectList->AddEffect(*MakeEffect(ShieldEffect(50, 10.0f)));
    arena.engine.Step();
    Blink* blink = arena.engine.Get<Blink>("Shield FX");
    ASSERT_NE(blink, nullptr);
    EXPECT_FLOAT_EQ(blink->delay, 6.0f);
    EXPECT_FLOAT_EQ(blink->duration, 4.0f);
    EXPECT_FLOAT_EQ(blink->interval, 0.1f);
    EXPECT_EQ(blink->target.Get(), arena.engine.Get<SpriteRenderer>("Shield FX"));
}

TEST(Shields, BossShieldAbsorbsNothing) {
    CombatScene arena;
    arena.Unit("Boss", "MagitekBoss", 300.0f, R"("minDamageToKnockback": 5000)");
    arena.Load();
    CombatUnit* unit = arena.Get("Boss");
    unit->effectList->AddEffect(*MakeEffect(R"({"name": "BS", "effectType": 13, "resolveType": 1, "duration": 3})"));
    arena.engine.Step();
    ASSERT_EQ(unit->shields.size(), 1u);
    unit->TakeDamage(30, 30);
    EXPECT_EQ(unit->currentHealth, 70);
    EXPECT_EQ(ShownValue("DamageText"), 30u);  // only the unit's own number
    EXPECT_EQ(unit->shields[0]->GetAmount(), 0);
}

// A shield made without an amount keeps its bubble's alpha; its bubble is ended once.
TEST(Shields, EmptyShieldKeepsAlphaAndEndsItsBubbleOnce) {
    CombatScene arena;
    arena.Unit("Target", "Player", 300.0f);
    arena.Load();
    CombatUnit* unit = arena.Get("Target");
    unit->effectList->AddEffect(*MakeEffect(R"({"name": "S", "effectType": 5, "resolveType": 1, "duration": 3})"));
    arena.engine.Step(2);
    ASSERT_EQ(unit->shields.size(), 1u);
    Combat::ShieldBasic& shield = *unit->shields[0];
    SpriteRenderer* sprite = shield.fxSprite.Get();
    ASSERT_NE(sprite, nullptr);
    EXPECT_EQ(sprite->alpha, 100);
    shield.DestroyFx();
    EXPECT_EQ(shield.fx.Get(), nullptr);
    const std::size_t jobs = JobManager::GetInstance().Count(JobKind::Frame);
    shield.DestroyFx();
    EXPECT_EQ(JobManager::GetInstance().Count(JobKind::Frame), jobs);
}

}  // namespace
