#pragma once
// What every fuzz target shares: one headless engine for the whole process, and the
// scene text that wraps a fuzzed piece of JSON into a loadable scene.
#include <cstddef>
#include <cstdint>
#include <string>

class EngineHarness;

namespace fuzz {

// The process's engine, created on first use (no window, no GL, no sound device).
EngineHarness& Engine();

// Writes the input to a scratch file of the engine's and returns its path.
std::string WriteInput(const uint8_t* data, size_t size, const std::string& extension);

// A scene with a floor and an object "Subject" carrying a Transform, a body, a box
// collider and a sprite; `componentJson` (a JSON object, or anything else, which is
// refused) becomes one more component of class `className` on "Subject". Empty when
// the text is not a JSON object.
std::string SceneWithComponent(const std::string& className, const std::string& componentJson);

// The same skeleton with `dialogueJson` as the scene's "Dialogue" value, and a speaker.
std::string SceneWithDialogue(const std::string& dialogueJson);

// Loads scene text and runs a few frames; then the next input starts from scratch.
void PlayScene(const std::string& sceneText, int frames);

}  // namespace fuzz
