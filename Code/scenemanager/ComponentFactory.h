#pragma once
// Builds components by the class strings that scene and prefab files use.
#include <string>

#include "gameobjectengine/Component.h"

namespace factory {

// The component class named by this exact string (case-sensitive, whole string),
// constructed from its JSON; null when no built class has this name.
Component* Construct(const std::string& className, const JsonValue& json);

// Whether a class string names a class that can be built.
bool Knows(const std::string& className);

// Whether a class string belongs to the file format, built yet or not.
bool IsClassString(const std::string& className);

}  // namespace factory
