#include "combat/UnitController.h"

#include "combat/CombatUnit.h"
#include "combat/Weapon.h"
#include "gameobjectengine/GameObject.h"
#include "physics/NavGrid.h"
#include "physics/NavMeshAgent.h"

using Combat::CombatUnit;

UnitController::UnitController(const JsonValue& json) : Component(json) {
    QueueFetchComponent(this, owner, &unit);
}

void UnitController::Start() {
    if (!unit && owner) unit = owner->GetComponent<CombatUnit>();
}

void UnitController::ResetActions() {
    if (!unit) return;
    unit->actionRequests = 0;
    unit->moveDirection = 0;
}

void UnitController::Enable() {
    ResetActions();
    enabled = true;
}

void UnitController::Disable() {
    ResetActions();
    enabled = false;
}

bool UnitController::UseWeapon(int32_t index) {
    if (!unit || index < 0) return false;
    if (unit->HasState(CombatUnit::CASTING) || unit->HasState(CombatUnit::FROZEN)) return false;
    if (static_cast<std::size_t>(index) >= unit->weapons.size()) return false;
    const auto& weapon = unit->weapons[static_cast<std::size_t>(index)];
    if (!weapon || !weapon->CanCast(*unit)) return false;
    unit->UseWeapon(index);  // its own answer adds nothing: the checks above decided
    return true;
}

namespace {

// One coordinate of a navigation target as an integer. Everything outside the grid
// lands on the same border cell as before, so clamping changes no path; a value no
// int can hold (or not a number) would otherwise be undefined to convert.
int32_t GridCoordinate(float value, float low, float high) {
    if (!(value > low)) return static_cast<int32_t>(low);
    if (value > high) return static_cast<int32_t>(high);
    return static_cast<int32_t>(value);
}

}  // namespace

void UnitController::SteerTo(NavMeshAgent* agent, float x, float y) {
    if (!agent) return;
    const float width = static_cast<float>(agent->grid.columns * agent->grid.cellSize);
    const float height = static_cast<float>(agent->grid.rows * agent->grid.cellSize);
    // The agent measures from the feet, kFeetOffset below the point.
    agent->MoveTo(GridCoordinate(x, -1.0f, width),
                  GridCoordinate(y, -1.0f - NavMeshAgent::kFeetOffset, height));
}
