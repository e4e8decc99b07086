#include "scenemanager/ComponentFactory.h"

namespace factory {
namespace {

const ClassEntry* gClasses = nullptr;
std::size_t gClassCount = 0;

const ClassEntry* FindEntry(const std::string& className) {
    for (std::size_t i = 0; i < gClassCount; ++i)
        if (className == gClasses[i].className) return &gClasses[i];
    return nullptr;
}

}  // namespace

void InstallClasses(const ClassEntry* classes, std::size_t count) {
    gClasses = classes;
    gClassCount = classes ? count : 0;
}

Component* Construct(const std::string& className, const JsonValue& json) {
    const ClassEntry* entry = FindEntry(className);
    return (entry && entry->build) ? entry->build(json) : nullptr;
}

bool Knows(const std::string& className) {
    const ClassEntry* entry = FindEntry(className);
    return entry && entry->build;
}

bool IsClassString(const std::string& className) { return FindEntry(className) != nullptr; }

}  // namespace factory
