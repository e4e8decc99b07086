// Soak memory benchmark (not a test): every scene of the scene table loaded in turn
// through the game's scene change, ten cycles, 120 frames each, with the resident
// memory after every cycle. Prints the growth from the second cycle to the tenth
// (target <= 2048 kB; the first cycle fills the caches that outlive loads).
//
//   ALSOFT_DRIVERS=null xvfb-run -a -s "-screen 0 1920x1080x24" build/release/bench/bench_SoakBench [frames]
#include <algorithm>
#include <cstdlib>

#include "BenchSupport.h"
#include "gameobjectengine/EngineState.h"
#include "scenemanager/SceneTable.h"
#include "scenemanager/SceneTransition.h"

namespace {

void FinishSceneChange() {
    EngineState& engine = EngineState::GetInstance();
    for (int i = 0; i < 4 && engine.state == EngineState::SceneChange; ++i) engine.Tick();
}

// Through the game's own scene change; a scene that ended the game is loaded afresh.
void Load(int32_t index) {
    EngineState& engine = EngineState::GetInstance();
    FinishSceneChange();
    if (engine.state == EngineState::Run) {
        SceneTransition::LoadSceneByIndex(index);
        FinishSceneChange();
        return;
    }
    engine.SetNextScene(scenes::PathOf(index));
    engine.state = EngineState::Load;
    engine.Tick();
}

}  // namespace

int main(int argc, char** argv) {
    const int frames = argc > 1 ? std::max(1, std::atoi(argv[1])) : 120;
    if (!bench::OpenGame()) return 1;
    EngineState& engine = EngineState::GetInstance();
    engine.SetNextScene(scenes::PathOf(0));
    engine.state = EngineState::Load;
    engine.Tick();
    long rss = 0, peak = 0, second = 0;
    const double start = bench::NowMs();
    std::printf("RSS after each cycle (kB):");
    for (int cycle = 1; cycle <= 10; ++cycle) {
        for (int32_t index = 0; index < scenes::kSceneCount; ++index) {
            Load(index);
            for (int f = 0; f < frames && engine.state == EngineState::Run; ++f) engine.Tick();
        }
        bench::Memory(rss, peak);
        if (cycle == 2) second = rss;
        std::printf(" %ld", rss);
        std::fflush(stdout);
    }
    std::printf("\n%d loads x %d frames in %.1f s; RSS growth from cycle 2 to 10: %ld kB (target <= 2048 kB); "
                "peak RSS %ld kB\n",
                10 * scenes::kSceneCount, frames, (bench::NowMs() - start) / 1000.0, rss - second, peak);
    std::fflush(stdout);
    std::_Exit(0);  // the window and context die with the process
}
