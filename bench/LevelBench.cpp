// Level-frame benchmark (not a test): real levels through the game's own frame loop,
// drawn with the draw savings on and off (GlRenderer::SetDrawSavings), frame by frame in
// turn in the same run, and whether the two ways give the same pixels.
//
//   ALSOFT_DRIVERS=null xvfb-run -a -s "-screen 0 1920x1080x24" build/release/bench/bench_LevelBench [scene...]
//   ALSOFT_DRIVERS=null xvfb-run -a -s "-screen 0 1920x1080x24" taskset -c 0,1 build/release/bench/bench_LevelBench
//
// Default levels: 2_Slums, 3_Slums and 8_Magitek. Each is loaded, run 60 frames, then
// 300 frames of each way in turn (a frame: update, physics, passes, swap, finish; the
// game moves on one tick per frame either way). Printed per level: p50/p95 wall time
// and the median processor time of every thread per frame (llvmpipe's included), the
// ratio on ÷ off, and, every 50 frames, the frame drawn both ways and read back whole:
// the count of differing bytes. Last, the median of the levels' processor-time ratios.
#include <cstring>

#include "FrameTiming.h"
#include "gameobjectengine/EngineState.h"
#include "gameobjectengine/Transform.h"
#include "graphics/SpriteRenderer.h"
#include "scenemanager/SceneManager.h"

namespace {

constexpr int kFrames = 300;
constexpr int kCompareEvery = 50;

using Picture = std::vector<unsigned char>;

Picture DrawAndRead(bool savings) {
    GraphicsEngine& engine = GraphicsEngine::GetInstance();
    engine.Renderer()->SetDrawSavings(savings);
    engine.DrawFrame();
    glFinish();
    Picture pixels(static_cast<std::size_t>(engine.width) * engine.height * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, engine.width, engine.height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

// What drawing changes in the scene: tiled strips step along as the camera passes them.
struct StripPlaces {
    std::vector<std::pair<SpriteRenderer*, std::pair<float, int32_t>>> places;
    void Take() {
        places.clear();
        for (Render* entry : GraphicsEngine::GetInstance().renderList)
            if (auto* s = dynamic_cast<SpriteRenderer*>(entry); s && s->parallaxActive && s->transform)
                places.push_back({s, {s->transform->x, s->parallaxCount}});
    }
    void Put() const {
        for (const auto& [s, place] : places) s->transform->x = place.first, s->parallaxCount = place.second;
    }
};

// Bytes that differ between the frame drawn with the savings and without, both from the
// same state (the particle queue, drained by a drawing, and the strips' places).
std::size_t CompareBothWays() {
    GraphicsEngine& engine = GraphicsEngine::GetInstance();
    const std::vector<QueuedParticle> queued = engine.particleQueue;
    StripPlaces before, after;
    before.Take();
    const Picture on = DrawAndRead(true);
    after.Take();
    before.Put();
    engine.particleQueue = queued;
    const Picture off = DrawAndRead(false);
    after.Put();
    std::size_t differing = 0;
    for (std::size_t i = 0; i < on.size(); ++i) differing += on[i] != off[i];
    return differing;
}

bench::Variant Tick(bool savings) {
    return {[savings] {
                GraphicsEngine::GetInstance().Renderer()->SetDrawSavings(savings);
                EngineState::GetInstance().Tick();
            },
            false};
}

double Level(const std::string& scene) {
    EngineState& engine = EngineState::GetInstance();
    engine.SetNextScene(scene);
    engine.state = EngineState::Load;
    engine.Tick();
    for (int i = 0; i < 60; ++i) engine.Tick();  // warm-up: the level's first frames settle
    std::printf("level %s, %d frames of each way, taken in turn\n", scene.c_str(), kFrames);
    std::vector<bench::Figures> on, off;
    std::size_t differing = 0;
    for (int chunk = 0; chunk < kFrames / kCompareEvery; ++chunk) {
        const std::vector<bench::Figures> f = bench::Measure(kCompareEvery, {Tick(true), Tick(false)});
        on.push_back(f[0]);
        off.push_back(f[1]);
        differing += CompareBothWays();
    }
    auto median = [](const std::vector<bench::Figures>& v, double bench::Figures::*field) {
        std::vector<double> values;
        for (const bench::Figures& f : v) values.push_back(f.*field);
        return bench::Percentile(values, 50);
    };
    bench::Figures savings = on.back(), plain = off.back();
    for (auto field : {&bench::Figures::p50, &bench::Figures::p95, &bench::Figures::cpu50}) {
        savings.*field = median(on, field);
        plain.*field = median(off, field);
    }
    bench::Print("savings on", savings);
    bench::Print("savings off", plain);
    const double ratio = savings.cpu50 / plain.cpu50;
    std::printf("  on / off: p50 %.3f  p95 %.3f  cpu %.3f (target cpu <= 0.65)\n", savings.p50 / plain.p50,
                savings.p95 / plain.p95, ratio);
    std::printf("  pixels: %zu bytes differ in %d frames drawn both ways%s\n", differing, kFrames / kCompareEvery,
                differing == 0 ? " (identical)" : "");
    return ratio;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> scenes;
    for (int i = 1; i < argc; ++i) scenes.push_back(argv[i]);
    if (scenes.empty())
        scenes = {"Assets/Scenes/2_Slums.scene", "Assets/Scenes/3_Slums.scene", "Assets/Scenes/8_Magitek.scene"};
    if (!bench::OpenGame()) return 1;
    std::vector<double> ratios;
    for (const std::string& scene : scenes) ratios.push_back(Level(scene));
    std::printf("median of the levels' processor time on / off: %.3f (target <= 0.65)\n",
                bench::Percentile(ratios, 50));
    std::fflush(stdout);
    std::_Exit(0);  // the window and context die with the process
}
