// One component's JSON on an object with a body, a collider and a sprite, then a few
// frames. Built once per class (FUZZ_CLASS, e.g. "Animator" or "CombatUnit"); without
// it the first byte of the input picks the class from the factory's table.
#include <string>

#include "FuzzSupport.h"
#include "scenemanager/ComponentFactory.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
#ifdef FUZZ_CLASS
    const std::string className = FUZZ_CLASS;
#else
    fuzz::Engine();  // installs the factory's class table before we pick from it
    std::size_t count = 0;
    const factory::ClassEntry* classes = factory::InstalledClasses(count);
    if (size == 0 || count == 0) return 0;
    const std::string className = classes[data[0] % count].className;
    ++data;
    --size;
#endif
    const std::string scene =
        fuzz::SceneWithComponent(className, std::string(reinterpret_cast<const char*>(data), size));
    if (!scene.empty()) fuzz::PlayScene(scene, 5);
    return 0;
}
