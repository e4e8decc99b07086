#include "gameobjectengine/GameFlags.h"

uint32_t GameFlags::word = 0;
