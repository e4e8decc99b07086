#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "EngineHarness.h"
#include "combat/CombatUnit.h"
#include "combat/Party.h"
#include "combat/UnitController.h"
#include "scenemanager/SceneManager.h"

namespace {

SceneManager& Scene() { return SceneManager::GetInstance(); }
Combat::Party& Party() { return Combat::Party::GetInstance(); }

// Thief and Mage with both controllers (and a unit each when asked), made persistent.
// Controllers are added by code here; the party is set up at the end of a load, so the
// scene is built again with them already present through persistence.
std::pair<GameObject*, GameObject*> PartyOfTwo(EngineHarness& engine, bool units = true) {
    engine.LoadSceneText(R"({"GameObjects": [["Thief", 1], ["Mage", 1]], "Components": [], "Dialogue": []})");
    GameObject* thief = engine.Find("Thief");
    GameObject* mage = engine.Find("Mage");
    for (GameObject* hero : {thief, mage}) {
        hero->AddComponent<PlayerUnitController>(true);
        hero->AddComponent<AIUnitController>(true);
        if (units) hero->AddComponent<Combat::CombatUnit>(true);
        Scene().AddPersistent(hero);
    }
    engine.LoadSceneText(R"({"GameObjects": [], "Components": [], "Dialogue": []})");
    return {thief, mage};
}

TEST(Party, ThiefLedAndMageFollowing) {
    EngineHarness engine;
    const auto [thief, mage] = PartyOfTwo(engine);
    EXPECT_EQ(Party().CurrentPlayerController(), thief->GetComponent<PlayerUnitController>());
    EXPECT_EQ(Party().CurrentAIController(), mage->GetComponent<AIUnitController>());
    EXPECT_TRUE(thief->GetComponent<PlayerUnitController>()->enabled);
    EXPECT_FALSE(thief->GetComponent<AIUnitController>()->enabled);
    EXPECT_FALSE(mage->GetComponent<PlayerUnitController>()->enabled);
    EXPECT_TRUE(mage->GetComponent<AIUnitController>()->enabled);

    Party().SwapCharacter();
    EXPECT_EQ(Party().CurrentPlayerController(), mage->GetComponent<PlayerUnitController>());
    EXPECT_EQ(Party().CurrentAIController(), thief->GetComponent<AIUnitController>());

    // A dead hero (disabled unit) blocks the swap; so does a hero with no unit at all.
    thief->GetComponent<Combat::CombatUnit>()->enabled = false;
    Party().SwapCharacter();
    EXPECT_EQ(Party().CurrentPlayerController(), mage->GetComponent<PlayerUnitController>());
    thief->components.RemoveItem(thief->GetComponent<Combat::CombatUnit>());
    Party().SwapCharacter();
    EXPECT_EQ(Party().CurrentPlayerController(), mage->GetComponent<PlayerUnitController>());
}

TEST(Party, ClearingOrFailingALoadDropsControllerReferences) {
    EngineHarness engine;
    engine.LoadSceneText(R"({"GameObjects": [["Mage", 1]], "Components": [], "Dialogue": []})");
    GameObject* mage = engine.Find("Mage");
    mage->AddComponent<PlayerUnitController>(true);
    Scene().AddPersistent(mage);
    engine.LoadSceneText(R"({"GameObjects": [], "Components": [], "Dialogue": []})");
    // A lone Mage is led by the player through the Thief references.
    EXPECT_EQ(Party().ThiefPlayerController(), mage->GetComponent<PlayerUnitController>());
    EXPECT_EQ(Party().CurrentAIController(), nullptr);
    Scene().DestroyGameObjectNow(mage->id);
    EXPECT_EQ(Party().CurrentPlayerController(), nullptr);  // the handle saw it go
    engine.LoadSceneFile("/missing.scene");
    EXPECT_EQ(Party().ThiefPlayerController(), nullptr);
}

TEST(Party, AFailedLoadDropsTheReferencesToHeroesThatLiveOn) {
    EngineHarness engine;
    const auto [thief, mage] = PartyOfTwo(engine, false);
    GameObject* heroes[] = {thief, mage};
    auto references = [] {
        return std::vector<const Component*>{Party().ThiefPlayerController(), Party().MagePlayerController(),
                                             Party().ThiefAIController(),     Party().MageAIController(),
                                             Party().CurrentPlayerController(), Party().CurrentAIController()};
    };
    for (const Component* reference : references()) ASSERT_NE(reference, nullptr);

    engine.LoadSceneFile("/missing.scene");
    // The heroes are persistent: still alive, out of the table, their controllers too.
    for (GameObject* hero : heroes) EXPECT_NE(hero->GetComponent<PlayerUnitController>(), nullptr);
    for (const Component* reference : references()) EXPECT_EQ(reference, nullptr);
}

TEST(Party, ADeadHeroCannotBeSwappedIn) {
    EngineHarness engine;
    const auto [thief, mage] = PartyOfTwo(engine);
    ASSERT_EQ(Party().CurrentPlayerController(), thief->GetComponent<PlayerUnitController>());
    mage->GetComponent<Combat::CombatUnit>()->states[Combat::CombatUnit::ALIVE] = 0;  // dead, still enabled
    Party().SwapCharacter();
    EXPECT_EQ(Party().CurrentPlayerController(), thief->GetComponent<PlayerUnitController>());
}

}  // namespace
