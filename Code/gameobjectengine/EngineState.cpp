#include "gameobjectengine/EngineState.h"

EngineState& EngineState::GetInstance() {
    static EngineState instance;
    return instance;
}
