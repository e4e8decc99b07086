// Effects that create objects: the damage zone and the summon; and what happens when the
// object table has no room for what combat creates.
#include "CombatFixture.h"

#include "combat/ObjectEffects.h"
#include "combat/WeaponArea.h"
#include "graphics/Fader.h"

namespace {

using namespace combat_test;

TEST(DamageZone, HitsOtherTeamsWhileItLastsThenGoes) {
    CombatScene arena(0.25f);
    arena.Unit("Hero", "Player", 500.0f,
               R"("team": 1, "weapons": [{"weaponType": 3, "effects": [{"name": "Zone", "effectType": 10, "resolveType": 3,
                   "duration": 1.6, "tickTime": 9, "colliderRadius": 150, "tickRate": 0.5, "minDamage": 10, "maxDamage": 10}]}])");
    arena.Unit("Ally", "Enemy", 620.0f, R"("team": 1)");
    arena.Unit("FoeA", "Enemy", 380.0f, R"("team": 2, "minDamageToKnockback": 1000)");
    arena.Unit("FoeB", "Enemy", 620.0f, R"("team": 2, "minDamageToKnockback": 1000)");
    arena.Load();
    arena.engine.Step(4);
    CombatUnit* hero = arena.Get("Hero");
    hero->weapons[0]->Fire(hero);
    ASSERT_EQ(CountNamed("Zone trigger"), 1);
    Combat::WeaponArea* area = arena.engine.Get<Combat::WeaponArea>("Zone trigger");
    ASSERT_NE(area, nullptr);
    arena.engine.Step(6);  // 1.5 s: hits given on the 2nd, 4th and 6th update, taken one later
    EXPECT_EQ(arena.Get("FoeA")->currentHealth, 80);
    EXPECT_EQ(arena.Get("FoeB")->currentHealth, 80);
    EXPECT_EQ(arena.Get("Ally")->currentHealth, 100);
    EXPECT_EQ(hero->currentHealth, 100);
    // The update that ends the effect stops the area before the list it reads goes, and
    // the zone is gone at the end of that pass.
    arena.engine.Step();
    EXPECT_EQ(arena.Get("FoeA")->currentHealth, 70);
    EXPECT_EQ(hero->effectList->FindByName("Zone"), nullptr);
    EXPECT_EQ(CountNamed("Zone trigger"), 0);
    arena.engine.Step(4);
    EXPECT_EQ(arena.Get("FoeA")->currentHealth, 70);
}

TEST(DamageZone, AreaIsDetachedWhenTheEffectEnds) {
    CombatScene arena;
    arena.Unit("Hero", "Player", 500.0f);
    arena.Load();
    CombatUnit* hero = arena.Get("Hero");
    auto zone = MakeEffect(R"({"name": "Zone", "effectType": 10, "resolveType": 0, "colliderRadius": 50})");
    hero->effectList->AddEffect(*zone);
    Combat::WeaponArea* area = arena.engine.Get<Combat::WeaponArea>("Zone trigger");
    ASSERT_NE(area, nullptr);
    ASSERT_NE(area->effects, nullptr);
    hero->effectList->RemoveAll();
    EXPECT_EQ(area->effects, nullptr);
    EXPECT_FALSE(area->enabled);
}

class Summon : public ::testing::Test {
protected:
    void SetUp() override {
        prefab_ = arena.engine.WriteTempFile(
            R"({"GameObject": [["Minion", 1, "Enemy", 1]], "Components": [
                {"class": "Transform", "position": {"x": 0, "y": 0, "z": 0}},
                {"class": "SpriteRenderer", "layer": 3},
                {"class": "CombatUnit", "team": 2}]})",
            ".prefab");
        for (float x : {1100.0f, 700.0f, 1500.0f}) {
            const int id = arena.scene.Object("Marker");
            arena.scene.At(id, x, 800.0f);
            markerIds.push_back(id);
        }
        arena.Unit("Boss", "MagitekBoss", 300.0f);
    }

    std::string Effect(const std::string& path) const {
        return R"({"name": "Summon", "effectType": 12, "resolveType": 3, "duration": 10, "tickTime": 0,
                   "positionMarkerTag": "SummonPoint", "prefabFilepath": ")" + path + "\"}";
    }

    void TagMarkers() {
        for (int id : markerIds) SceneManager::GetInstance().GetGameObject(id)->tag = "SummonPoint";
    }

    CombatScene arena;
    std::string prefab_;
    std::vector<int> markerIds;
};

TEST_F(Summon, OneEnemyPerMarkerInTableOrder) {
    arena.Load();
    TagMarkers();
    std::vector<GameObject*> told;
    Combat::EffectSummon::SetSummonedHook([&told](GameObject& summoned) { told.push_back(&summoned); });
    CombatUnit* boss = arena.Get("Boss");
    boss->effectList->AddEffect(*MakeEffect(Effect(prefab_)));
    arena.engine.Step();  // the first resolution
    ASSERT_EQ(told.size(), 1u);
    GameObject* first = told[0];
    // Invisible from the start, then fading in.
    EXPECT_EQ(first->GetComponent<SpriteRenderer>()->alpha, 0);
    ASSERT_NE(first->GetComponent<Fader>(), nullptr);
    EXPECT_TRUE(first->GetComponent<Fader>()->fading);
    arena.engine.Step(4);
    Combat::EffectSummon::SetSummonedHook(nullptr);
    ASSERT_EQ(told.size(), 3u);
    const float expected[] = {1100.0f, 700.0f, 1500.0f};
    for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(told[i]->GetComponent<Transform>()->x, expected[i]);
    EXPECT_GT(first->GetComponent<SpriteRenderer>()->alpha, 0);
}

TEST_F(Summon, SkipsDestroyedMarkersAndPrefabsThatFail) {
    arena.Load();
    TagMarkers();
    CombatUnit* boss = arena.Get("Boss");
    // A missing prefab uses its marker and summons nothing.
    boss->effectList->AddEffect(*MakeEffect(Effect("/missing.prefab")));
    arena.engine.Step(4);  // three markers used, the fourth resolution finds none
    auto* summon = static_cast<Combat::EffectSummon*>(boss->effectList->FindByName("Summon"));
    ASSERT_NE(summon, nullptr);
    EXPECT_EQ(summon->nextMarker, summon->markers.size());
    EXPECT_EQ(CountNamed("Minion"), 0);
    boss->effectList->RemoveAll();
    // A marker destroyed after the markers were gathered is passed over.
    boss->effectList->AddEffect(*MakeEffect(Effect(prefab_)));
    SceneManager::GetInstance().DestroyGameObjectNow(markerIds[0]);
    arena.engine.Step(3);
    std::vector<float> xs;
    SceneManager::GetInstance().Objects().ForEach([&xs](GameObject* object) {
        if (object->name.rfind("Minion", 0) == 0) xs.push_back(object->GetComponent<Transform>()->x);
    });
    EXPECT_EQ(xs, (std::vector<float>{700.0f, 1500.0f}));
}

// With the object table full, what combat would create is skipped whole.
TEST(FullTable, CombatCreatesNothingAndCarriesOn) {
    CombatScene arena;
    arena.Unit("Hero", "Player", 300.0f,
               R"("weapons": [{"weaponType": 1, "colliderType": 1, "colDim1": 10, "castTime": 0, "cooldown": 0},
                              {"weaponType": 2, "colliderType": 1, "colDim1": 10, "castTime": 0, "cooldown": 0}])");
    arena.Load();
    SceneManager& scenes = SceneManager::GetInstance();
    while (scenes.CreateGameObject("filler")) {
    }
    CombatUnit* hero = arena.Get("Hero");
    EXPECT_EQ(hero->weapons[0]->Fire(hero), nullptr);
    EXPECT_EQ(hero->weapons[1]->Fire(hero), nullptr);
    hero->TakeDamage(5, 5);
    hero->Heal(5);
    hero->effectList->AddEffect(*MakeEffect(R"({"name": "S", "effectType": 5, "resolveType": 1, "duration": 1, "shieldAmount": 5})"));
    hero->effectList->AddEffect(*MakeEffect(R"({"name": "Z", "effectType": 10, "resolveType": 0, "colliderRadius": 5})"));
    arena.engine.Step();
    EXPECT_TRUE(hero->shields.empty());
    EXPECT_EQ(hero->currentHealth, 100);
    EXPECT_EQ(CountNamed("DamageText") + CountNamed("HealText") + CountNamed("Shield FX"), 0);
}

}  // namespace

namespace {

using namespace combat_test;

// A unit destroyed with a zone still running takes the zone with it.
TEST(DamageZone, GoesWithItsUnit) {
    CombatScene arena;
    arena.Unit("Hero", "Player", 500.0f);
    arena.Load();
    arena.Get("Hero")->effectList->AddEffect(
        *MakeEffect(R"({"name": "Zone", "effectType": 10, "resolveType": 0, "colliderRadius": 50})"));
    ASSERT_EQ(CountNamed("Zone trigger"), 1);
    SceneManager::GetInstance().DestroyGameObject(arena.engine.Find("Hero")->id);
    arena.engine.Step(2);
    EXPECT_EQ(CountNamed("Zone trigger"), 0);
}

}  // namespace
