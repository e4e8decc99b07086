// The soak: every scene of the scene table loaded in turn, ten times over, each stepped
// a while and its last frame drawn, under a virtual display with the GL renderer. After each load
// the GL textures and buffers and the audio layer's sounds and voices must be what the
// same scene left the cycle before: a load that leaks shows as a count that climbs.
// (The sanitizer build adds the leak check at exit and the memory errors.)
//
// The frames per load default to 30: 190 loads x 120 frames take several minutes under
// AddressSanitizer; 30 frames still run every scene's start-up, first fades and first
// dialogue line. HARROWVALE_SOAK_FRAMES=120 runs the full length.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "EngineHarness.h"
#include "HiddenGlWindow.h"
#include "audio/AudioManager.h"
#include "gameobjectengine/EngineState.h"
#include "graphics/GraphicsEngine.h"
#include "scenemanager/SceneTransition.h"
#include "platform/audio/AudioSystem.h"
#include "scenemanager/SceneTable.h"

namespace {

constexpr int kCycles = 10;
// The driver does not always hand out the lowest free name: over 190 loads the names
// climb past a few thousand, so the scan goes far above anything the game could hold.
constexpr unsigned kHighestName = 1u << 16;

struct Counts {
    int textures = 0, buffers = 0, sounds = 0, voices = 0;
    bool operator==(const Counts&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Counts& c) {
    return out << c.textures << " textures, " << c.buffers << " buffers, " << c.sounds << " sounds, " << c.voices
               << " voices";
}

// Live GL objects by asking the driver about every name: it counts what any layer made.
Counts Count() {
    Counts counts;
    using IsName = GLboolean (*)(GLuint);
    static const auto isBuffer = reinterpret_cast<IsName>(glfwGetProcAddress("glIsBuffer"));
    for (unsigned name = 1; name <= kHighestName; ++name) {
        counts.textures += glIsTexture(name) ? 1 : 0;
        counts.buffers += isBuffer && isBuffer(name) ? 1 : 0;
    }
    // Pictures kept for good (the particles' pictures, loaded the first time an effect
    // shows, which play decides) are a bounded cache, not a leak.
    counts.textures -= static_cast<int>(GraphicsEngine::GetInstance().textures.Pinned().size());
    if (audio::System* system = AudioManager::GetInstance().system) {
        counts.sounds = system->GetLiveSounds();
        counts.voices = system->GetUsedChannels();
    }
    return counts;
}

int FramesPerLoad() {
    const char* frames = std::getenv("HARROWVALE_SOAK_FRAMES");
    const int n = frames ? std::atoi(frames) : 0;
    return n > 0 ? n : 30;
}

TEST(Soak, EverySceneTenTimesLeavesTheSameCountsAfterEachLoad) {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display";
    ASSERT_TRUE(OpenHiddenGlWindow()) << "no GL 4.5 compatibility window or GraphicsEngine::Init failed";
    const int frames = FramesPerLoad();
    EngineHarness engine;
    engine.LoadSceneText(R"({"GameObjects": [], "Components": [], "Dialogue": []})");
    std::vector<Counts> previous(scenes::kSceneCount);
    for (int cycle = 0; cycle < kCycles; ++cycle)
        for (int32_t index = 0; index < scenes::kSceneCount; ++index) {
            // Through the game's own scene change (what a portal or a menu asks for); a
            // scene that ended the game is loaded afresh.
            engine.FinishSceneChange();
            if (EngineState::GetInstance().state == EngineState::Run) {
                SceneTransition::LoadSceneByIndex(index);
                engine.FinishSceneChange();
            } else {
                engine.LoadSceneFile(scenes::PathOf(index));
            }
            {
                FramesUndrawn quick;
                engine.Step(frames);
            }
            GraphicsEngine::GetInstance().DrawFrame();  // the last frame drawn, every texture bound
            const Counts now = Count();
            // The first cycle fills the caches that outlive loads; from the second on
            // every load of a scene must end where the one before it did.
            if (cycle >= 2) {
                EXPECT_EQ(now, previous[index]) << scenes::PathOf(index) << " in cycle " << cycle + 1;
            }
            previous[index] = now;
        }
    const Counts last = Count();
    EXPECT_GT(last.textures, 0) << "the count sees no textures";
    EXPECT_GT(last.buffers, 0) << "the count sees no buffers";
    EXPECT_LT(last.textures + last.buffers, static_cast<int>(kHighestName) / 2);  // the scan saw them all
}

}  // namespace
