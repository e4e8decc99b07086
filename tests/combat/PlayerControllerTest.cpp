// The player's controller: keys to running, jumps by unit class, the five weapon keys
// (held keys retry, the refusal sound's rhythm) and the hero swap with the camera,
// the listeners and the music following.
#include <gtest/gtest.h>

#include "ControllerScene.h"
#include "audio/AudioListener.h"
#include "audio/DynamicBGM.h"
#include "combat/Party.h"
#include "gameobjectengine/InputManager.h"
#include "graphics/Camera.h"

using namespace controllertest;
using Combat::CombatUnit;

namespace {

constexpr InputAction kRight = InputAction::Right, kLeft = InputAction::Left, kJump = InputAction::Jump,
                      kQ = InputAction::Weapon1, kSwap = InputAction::Swap;
constexpr InputAction kWeaponKeys[] = {InputAction::Weapon0, InputAction::Weapon1, InputAction::Weapon2,
                                       InputAction::Weapon3, InputAction::Weapon4};

struct PlayerControl : ::testing::Test {
    EngineHarness engine;
    Fighters f{engine};

    // The Thief (led) on a long floor, optionally the Mage (following) beside it.
    // `cls` (with `members`) adds one more object, "Extra".
    void Load(int unitClass = 0, bool withMage = false, const std::string& cls = "", const std::string& members = "") {
        SceneText s;
        s.Floor(0, 4000, 950);
        s.Hero("Thief", 500, 850, unitClass, Weapons(1) + ", " + Weapon("Q", 0.1f, 50) + ", " + Weapons(3));
        if (withMage) s.Hero("Mage", 900, 850);
        if (!cls.empty()) s.Add(s.Object("Extra"), cls, members);
        engine.LoadSceneText(s.Json());
        engine.Step(30);  // settle on the floor
    }
    CombatUnit* Thief() const { return f.Unit("Thief"); }
};

TEST_F(PlayerControl, ArrowsRunTheLedHero) {
    Load();
    struct Row { bool right, left; int direction; };
    for (Row row : {Row{true, false, 1}, Row{false, true, -1}, Row{true, true, 0}, Row{false, false, 0}}) {
        if (row.right) engine.Press(kRight);
        if (row.left) engine.Press(kLeft);
        engine.Step();  // the unit walks by what its controller wrote the frame before
        const float x = f.Place("Thief")->x;
        engine.Step(10);
        EXPECT_EQ(Thief()->moveDirection, row.direction);
        const float moved = f.Place("Thief")->x - x;
        EXPECT_TRUE(row.direction > 0 ? moved > 20 : row.direction < 0 ? moved < -20 : moved == 0) << moved;
        engine.Release(kRight);
        engine.Release(kLeft);
    }
}

TEST_F(PlayerControl, JumpRequestsFollowTheUnitClass) {
    Load();
    PlayerUnitController* controller = f.Player("Thief");
    Rigidbody* body = f.Body("Thief");
    Collider* collider = body->collider;
    InputManager& input = InputManager::GetInstance();
    enum Body { None, NoCollider, Whole };
    struct Row { int unitClass; bool grounded; int jumps; Body body; bool request; };
    const Row rows[] = {
        {0, true, 0, Whole, true},       {0, false, 0, Whole, false},     {0, false, 1, Whole, false},
        {1, false, 1, Whole, true},      {1, true, 0, Whole, true},       {1, false, 2, Whole, false},
        {0, true, 0, NoCollider, false}, {1, false, 0, NoCollider, false}, {1, false, 0, None, false},
    };
    for (const Row& row : rows) {
        controller->unitClass = row.unitClass;
        collider->grounded = row.grounded;
        Thief()->jumpCount = row.jumps;
        Thief()->actionRequests = 0;
        body->collider = row.body == Whole ? collider : nullptr;
        Thief()->rigidbody = row.body == None ? nullptr : body;
        input.previous.fill(0);
        input.current.fill(0);
        input.current[static_cast<int>(kJump)] = 1;
        controller->Update();
        EXPECT_EQ((Thief()->actionRequests & CombatUnit::kJumpRequest) != 0, row.request)
            << "class " << row.unitClass << " grounded " << row.grounded << " jumps " << row.jumps << " body " << row.body;
        // Held, not fresh: never a request.
        Thief()->actionRequests = 0;
        input.previous[static_cast<int>(kJump)] = 1;
        controller->Update();
        EXPECT_EQ(Thief()->actionRequests, 0u);
    }
    body->collider = collider;
    Thief()->rigidbody = body;
}

TEST_F(PlayerControl, DoubleJumpOnlyForUnitClassOne) {
    for (int unitClass : {0, 1}) {
        Load(unitClass);
        const float ground = f.Place("Thief")->y;
        engine.Tap(kJump);
        engine.Step(10);
        EXPECT_LT(f.Place("Thief")->y, ground - 50);  // rose
        engine.Tap(kJump);  // in the air
        engine.Step();      // the unit jumps in its next update
        EXPECT_EQ(Thief()->jumpCount, unitClass == 1 ? 2 : 1);
        engine.Tap(kJump);  // a third press never jumps
        engine.Step();
        EXPECT_EQ(Thief()->jumpCount, unitClass == 1 ? 2 : 1);
        engine.Step(120);
        EXPECT_EQ(Thief()->jumpCount, 0);  // landed
    }
}

TEST_F(PlayerControl, EachWeaponKeyCastsItsWeaponAndHeldKeysRetry) {
    Load();
    for (int slot = 0; slot < 5; ++slot) {
        engine.Press(kWeaponKeys[slot]);
        engine.Step();
        engine.Release(kWeaponKeys[slot]);
        EXPECT_TRUE(Thief()->HasState(CombatUnit::CASTING)) << slot;
        EXPECT_EQ(Thief()->currentWeaponIndex, slot);
        engine.Step(20);  // cast over
        EXPECT_FALSE(Thief()->HasState(CombatUnit::CASTING));
    }
    // Q costs 50: refused with 10 mana; the still-held key casts once the mana is there.
    Thief()->currentMana = 10;
    engine.Press(kQ);
    engine.Step(3);
    EXPECT_FALSE(Thief()->HasState(CombatUnit::CASTING));
    Thief()->currentMana = 100;
    engine.Step();
    EXPECT_TRUE(Thief()->HasState(CombatUnit::CASTING));
    EXPECT_EQ(Thief()->currentWeaponIndex, 1);
}

TEST_F(PlayerControl, RefusalSoundRhythm) {
    Load();
    PlayerUnitController* controller = f.Player("Thief");
    Thief()->currentMana = 0;
    // F never plays the refusal sound.
    engine.Press(kWeaponKeys[0]);
    engine.Step(20);
    EXPECT_EQ(controller->noManaCooldown, 0.0f);
    engine.Release(kWeaponKeys[0]);
    // Held Q: the sound on the first frame, then each time the cooldown came back to exactly 0.
    std::vector<int> plays;
    engine.Press(kQ);
    for (int frame = 0; frame < 60; ++frame) {
        const float before = controller->noManaCooldown;
        engine.Step();
        if (controller->noManaCooldown > before) plays.push_back(frame);
    }
    ASSERT_GE(plays.size(), 5u);
    EXPECT_EQ(plays.front(), 0);
    for (std::size_t i = 1; i < plays.size(); ++i) {
        const int gap = plays[i] - plays[i - 1];
        EXPECT_GE(gap, 9);   // 0.15 s at 60 frames a second
        EXPECT_LE(gap, 11);  // plus at most the frame that rests it at 0, plus rounding
    }
}

TEST_F(PlayerControl, SwapAtMostTwiceASecondWithCameraAndListenersFollowing) {
    Load(0, true, "Camera", R"("playerTransform": 1, "secondaryPlayerTransform": 2)");
    Combat::Party& party = Combat::Party::GetInstance();
    Camera* camera = engine.Get<Camera>("Extra");
    ASSERT_NE(camera, nullptr);
    auto led = [&] { return party.CurrentPlayerController()->owner->name; };
    ASSERT_EQ(led(), "Thief");
    engine.Tap(kSwap);
    EXPECT_EQ(led(), "Mage");
    EXPECT_EQ(camera->target.Get(), f.Place("Mage"));
    EXPECT_TRUE(engine.Get<AudioListener>("Mage")->enabled);
    EXPECT_FALSE(engine.Get<AudioListener>("Thief")->enabled);
    EXPECT_TRUE(f.Unit("Mage")->HasState(CombatUnit::PLAYER_CONTROLLED));
    EXPECT_TRUE(Thief()->HasState(CombatUnit::AI_CONTROLLED));
    engine.Step(10);
    engine.Tap(kSwap);  // within 0.5 s: nothing
    EXPECT_EQ(led(), "Mage");
    engine.Step(30);
    engine.Tap(kSwap);
    EXPECT_EQ(led(), "Thief");
    EXPECT_EQ(camera->target.Get(), f.Place("Thief"));
    EXPECT_TRUE(engine.Get<AudioListener>("Thief")->enabled);
}

TEST_F(PlayerControl, MusicLeadsSwapOnlyWhenTheHeroesDid) {
    for (bool withMage : {false, true}) {
        Load(0, withMage, "DyanmicBGM");
        DynamicBGM* music = engine.Get<DynamicBGM>("Extra");
        music->state = 1;
        engine.Tap(kSwap);
        EXPECT_EQ(music->state, withMage ? 2u : 1u) << withMage;
    }
}

}  // namespace
