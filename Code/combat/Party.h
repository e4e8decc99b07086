#pragma once
// The two-hero party: which controllers steer the heroes after a scene load, and the
// swap that hands the player's control to the other hero. Held by handles, which read
// null once a controller is gone.
#include "gameobjectengine/Handle.h"

class AIUnitController;
class PlayerUnitController;

namespace Combat {

class Party {
public:
    static Party& GetInstance();

    // After a load: the "Thief" leads (the "Mage" alone, when there is no Thief) and the
    // other hero follows under the computer's hand.
    void SetUp();
    // Forgets every controller (the scene was cleared).
    void Clear();
    // Hands the player's control to the other hero; false (nothing changes) unless both
    // heroes have player controllers and enabled units.
    bool SwapCharacter();

    PlayerUnitController* ThiefPlayerController() const { return thiefPlayer_.Get(); }
    PlayerUnitController* MagePlayerController() const { return magePlayer_.Get(); }
    AIUnitController* ThiefAIController() const { return thiefAI_.Get(); }
    AIUnitController* MageAIController() const { return mageAI_.Get(); }
    PlayerUnitController* CurrentPlayerController() const { return currentPlayer_.Get(); }
    AIUnitController* CurrentAIController() const { return currentAI_.Get(); }

private:
    Party() = default;

    Handle<PlayerUnitController> thiefPlayer_;
    Handle<PlayerUnitController> magePlayer_;
    Handle<AIUnitController> thiefAI_;
    Handle<AIUnitController> mageAI_;
    Handle<PlayerUnitController> currentPlayer_;
    Handle<AIUnitController> currentAI_;
};

}  // namespace Combat
