#include "FuzzSupport.h"

#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

#include <fstream>

#include "EngineHarness.h"
#include "app/ComponentClasses.h"
#include "gameobjectengine/JsonRead.h"

namespace fuzz {
namespace {

// Objects: 0 "Subject", 1 "Floor", 2 "Thief" (a speaker for dialogue lines).
constexpr const char* kSkeleton = R"({
  "GameObjects": [["Subject", 1, "Enemy", 1], ["Floor", 1], ["Thief", 1, "Player", 1]],
  "Components": [
    {"class": "Transform", "gameObjectID": 0, "position": {"x": 400, "y": 300}, "scale": {"x": 50, "y": 50}},
    {"class": "RigidBody", "gameObjectID": 0},
    {"class": "BoxCollider", "gameObjectID": 0, "width": 100, "height": 100},
    {"class": "SpriteRenderer", "gameObjectID": 0},
    {"class": "Transform", "gameObjectID": 1, "position": {"x": 400, "y": 800}, "scale": {"x": 2000, "y": 50}},
    {"class": "BoxCollider", "gameObjectID": 1, "width": 4000, "height": 100, "isStatic": 1},
    {"class": "Transform", "gameObjectID": 2, "position": {"x": 200, "y": 300}, "scale": {"x": 50, "y": 50}}
  ],
  "Dialogue": []
})";

std::string Serialise(const JsonDocument& document) {
    rapidjson::StringBuffer buffer;
    rapidjson::Writer<rapidjson::StringBuffer> writer(buffer);
    document.Accept(writer);
    return buffer.GetString();
}

}  // namespace

EngineHarness& Engine() {
    static EngineHarness* engine = [] {
        InstallComponentClasses();
        return new EngineHarness();  // lives as long as the process, as the game's singletons do
    }();
    return *engine;
}

std::string WriteInput(const uint8_t* data, size_t size, const std::string& extension) {
    return Engine().WriteTempFile(std::string(reinterpret_cast<const char*>(data), size), extension);
}

std::string SceneWithComponent(const std::string& className, const std::string& componentJson) {
    JsonDocument component;
    if (!json::Parse(componentJson, component) || !component.IsObject()) return {};
    JsonDocument scene;
    json::Parse(kSkeleton, scene);
    auto& alloc = scene.GetAllocator();
    component.RemoveMember("class");
    component.RemoveMember("gameObjectID");
    JsonValue entry(component, alloc);
    entry.AddMember("class", JsonValue(className.c_str(), alloc), alloc);
    entry.AddMember("gameObjectID", 0, alloc);
    scene["Components"].PushBack(entry, alloc);
    return Serialise(scene);
}

std::string SceneWithDialogue(const std::string& dialogueJson) {
    JsonDocument dialogue;
    if (!json::Parse(dialogueJson, dialogue)) return {};
    JsonDocument scene;
    json::Parse(kSkeleton, scene);
    scene["Dialogue"].CopyFrom(dialogue, scene.GetAllocator());
    return Serialise(scene);
}

void PlayScene(const std::string& sceneText, int frames) {
    EngineHarness& engine = Engine();
    engine.LoadSceneText(sceneText);
    engine.Step(frames);
    EngineHarness::ResetEngine();
}

}  // namespace fuzz
