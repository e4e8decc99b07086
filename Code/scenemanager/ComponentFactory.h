#pragma once
// Builds components by the class strings that scene and prefab files use.
//
// The table of classes names classes of every layer (units and menus too), so it lives
// with the app (Code/app/ComponentClasses.cpp), which installs it at start. Until then
// no class string is known.
#include <cstddef>
#include <string>

#include "gameobjectengine/Component.h"

namespace factory {

// One class string and how to build its class from JSON; a null builder builds nothing.
struct ClassEntry {
    const char* className;
    Component* (*build)(const JsonValue& json);
};

// Installs the class table (it must outlive every load).
void InstallClasses(const ClassEntry* classes, std::size_t count);

// The component class named by this exact string (case-sensitive, whole string),
// constructed from its JSON; null when no built class has this name.
Component* Construct(const std::string& className, const JsonValue& json);

// Whether a class string names a class that can be built.
bool Knows(const std::string& className);

// Whether a class string belongs to the file format, built yet or not.
bool IsClassString(const std::string& className);

}  // namespace factory
