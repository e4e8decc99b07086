#include "gameobjectengine/ObjectTable.h"

namespace {
ObjectTable* gInstalled = nullptr;
}  // namespace

ObjectTable* ObjectTable::Installed() { return gInstalled; }

void ObjectTable::Install(ObjectTable* table) { gInstalled = table; }
