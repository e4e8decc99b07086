// Frame benchmark (not a test): a reference frame at 1920 x 1080 drawn 600 times, with
// its fill floor measured in the same run, and the sprite sweep.
//
//   ALSOFT_DRIVERS=null xvfb-run -a -s "-screen 0 1920x1080x24" build/release/bench/bench_FrameBench [level | --sweep]
//   ALSOFT_DRIVERS=null xvfb-run -a -s "-screen 0 1920x1080x24" taskset -c 0,1 build/release/bench/bench_FrameBench
//
// Reference frame: three full-screen parallax layers, 300 atlas sprites of 64-256 px
// (runs of ten on one sheet, a third mirrored, a quarter tinted), 100 glyphs and 200
// particles. Printed: p50 and p95 of the frame (passes, swap, finish) and draw calls per
// frame, batched and one draw per item; the fill floor (the same records grouped by
// texture, one draw each) and the ratios to it.
//
// Heaviest level (the most components): the running frame (update, physics, passes,
// swap, finish) over 600 frames, and its passes alone against their fill floor (the
// level's particles come from its update, so the passes-only figures have none).
//
// Sweep: the largest N of 64-px blended sprites from one picture whose frame keeps
// p95 <= 16.7 ms. The records go straight to the renderer, since the object table holds
// 1024 objects. Batched and one draw per item are searched probe by probe in turn. Where
// libsdl2-dev is installed, bench/sdl2's program (bench_SdlSweep, next to this one) does
// the same work with SDL's renderer: it is run beside this one and searched in turn with
// the batched sweep, three times, sampling as SDL does by default (nearest) and as the
// engine does (linear); printed are both N, their ratio, and both frames at N = 256 and
// 1024 (processor time varies least on a shared machine). --sweep runs the sweep alone.
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <utility>

#include "BenchSupport.h"
#include "FrameTiming.h"
#include "SdlPeer.h"
#include "gameobjectengine/Transform.h"
#include "graphics/GlRenderer.h"
#include "graphics/Particle.h"
#include "graphics/SpriteRenderer.h"
#include "graphics/UIText.h"
#include "gameobjectengine/EngineState.h"
#include "physics/Rigidbody.h"
#include "scenemanager/SceneManager.h"

namespace {

constexpr int kFrames = 600;
constexpr double kBudgetMs = 16.7;

std::string gDir;
std::vector<Particle> gParticles;

std::string Png(const std::string& name, unsigned w, unsigned h, uint32_t seed, unsigned minAlpha = 255) {
    return bench::NoisePng(gDir + "/" + name + ".png", w, h, seed, minAlpha);
}

SpriteRenderer* Sprite(const std::string& file, float x, float y, float sx, float sy, int32_t layer) {
    GameObject* o = SceneManager::GetInstance().CreateGameObject("S", true);
    auto* t = o->AddComponent<Transform>();
    t->x = x, t->y = y, t->scaleX = sx, t->scaleY = sy;
    auto* s = o->AddComponent<SpriteRenderer>(true);
    s->file = file;
    s->layer = layer;
    s->Awake();
    return s;
}

void BuildReferenceFrame() {
    for (int layer = 0; layer < 3; ++layer) {
        SpriteRenderer* p = Sprite(Png("layer" + std::to_string(layer), 960, 540, 10u + layer, layer ? 0 : 255),
                                   0, 540, 960, 540, -10 + layer);
        p->parallax = true;
        p->speed = 0.2f * static_cast<float>(layer);
        p->Start();
    }
    std::string sheets[6];
    for (int i = 0; i < 6; ++i) sheets[i] = Png("sheet" + std::to_string(i), 512, 512, 20u + i, 0);
    for (int i = 0; i < 300; ++i) {
        const float half = 32.0f + static_cast<float>((i * 37) % 97);  // 64..256 px
        SpriteRenderer* s = Sprite(sheets[(i / 10) % 6], static_cast<float>((i * 97) % 1800 + 60),
                                   static_cast<float>((i * 53) % 900 + 90), half, half, 1);
        s->Start();
        s->textureAtlas = true;
        s->numSprites = 4;
        s->currX = static_cast<float>(i % 4);
        s->currY = static_cast<float>((i / 4) % 4);
        if (i % 3 == 0) s->owner->AddComponent<Rigidbody>()->facing = 0;
        if (i % 4 == 0) {
            s->tintStrength = 0.5f;
            s->color[0] = 1.0f;
        }
    }
    for (int line = 0; line < 4; ++line) {  // 4 x 25 glyphs
        GameObject* o = SceneManager::GetInstance().CreateGameObject("Label", true);
        auto* t = o->AddComponent<Transform>();
        t->x = 100.0f, t->y = 150.0f + 200.0f * line, t->scaleX = t->scaleY = 0.4f;
        auto* text = o->AddComponent<UIText>(true);
        text->Awake();
        text->Start();
        text->layer = 5;
        text->stringValue = "The quick harrowvale fox.";
    }
    const uint32_t spark = GraphicsEngine::GetInstance().LoadTexture(Png("spark", 32, 32, 40, 0)).id;
    const uint32_t smoke = GraphicsEngine::GetInstance().LoadTexture(Png("smoke", 64, 64, 41, 0)).id;
    gParticles.resize(200);
    for (int i = 0; i < 200; ++i) {
        Particle& p = gParticles[i];
        p.texture = i < 120 ? spark : smoke;
        p.positionX = static_cast<float>((i * 71) % 1800);
        p.positionY = static_cast<float>((i * 29) % 1000);
        p.width = p.height = 16.0f + static_cast<float>(i % 48);
        p.rotation = static_cast<float>(i * 13 % 360);
        p.alpha = 0.5f;
    }
}

void SubmitParticles() {
    for (Particle& p : gParticles) GraphicsEngine::GetInstance().SubmitParticle(&p);
}

struct Recorder : DrawTarget {
    void DrawSpriteQuad(const SpriteDraw& d) override { sprites.push_back(d); }
    void DrawGlyphQuad(const GlyphDraw& d) override { glyphs.push_back(d); }
    void DrawParticleQuad(const ParticleDraw& d) override { particles.push_back(d); }
    std::vector<SpriteDraw> sprites;
    std::vector<GlyphDraw> glyphs;
    std::vector<ParticleDraw> particles;
};

using bench::Figures;
using bench::Measure;
using bench::Print;
using bench::Variant;

Variant Passes(GlRenderer::Submission submission) {
    return {[submission] {
        GraphicsEngine::GetInstance().Renderer()->SetSubmission(submission);
        SubmitParticles();
        GraphicsEngine::GetInstance().DrawFrame();
    }};
}

// The same records grouped by texture (and glyph colour), one draw per texture: the
// frame's pixels at the least submission cost.
Variant FillFloor(Recorder& r) {
    GraphicsEngine& engine = GraphicsEngine::GetInstance();
    SubmitParticles();
    engine.DrawListTo(r);
    auto byTexture = [](const auto& a, const auto& b) { return a.texture < b.texture; };
    std::stable_sort(r.sprites.begin(), r.sprites.end(), byTexture);
    std::stable_sort(r.glyphs.begin(), r.glyphs.end(), byTexture);
    std::stable_sort(r.particles.begin(), r.particles.end(), byTexture);
    return {[&r] {
        GlRenderer& gl = *GraphicsEngine::GetInstance().Renderer();
        gl.SetSubmission(GlRenderer::Submission::Batched);
        gl.BeginFrame();
        for (const SpriteDraw& d : r.sprites) gl.DrawSpriteQuad(d);
        for (const GlyphDraw& d : r.glyphs) gl.DrawGlyphQuad(d);
        for (const ParticleDraw& d : r.particles) gl.DrawParticleQuad(d);
        gl.Flush();
    }};
}

void PrintRatio(const char* name, const Figures& f, const Figures& floor) {
    std::printf("  %-16s p50 %5.3f  p95 %5.3f  cpu %5.3f\n", name, f.p50 / floor.p50, f.p95 / floor.p95,
                f.cpu50 / floor.cpu50);
}

// Batched, one draw per item and the fill floor, frame by frame in turn.
void CompareWithFloor() {
    Recorder r;
    const Variant floor = FillFloor(r);
    const std::vector<Figures> f =
        Measure(kFrames, {Passes(GlRenderer::Submission::Batched), Passes(GlRenderer::Submission::OneDrawPerItem), floor});
    Print("batched", f[0]);
    Print("one per item", f[1]);
    Print("fill floor", f[2]);
    PrintRatio("batched/floor", f[0], f[2]);
    std::printf("                   (target <= 1.1)\n");
    PrintRatio("one/floor", f[1], f[2]);
}

// n 64-px sprites of one picture at fixed pseudo-random places.
Figures SweepFrame(int n, uint32_t texture, GlRenderer::Submission submission) {
    GlRenderer& gl = *GraphicsEngine::GetInstance().Renderer();
    gl.SetSubmission(submission);
    std::vector<SpriteDraw> draws(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        SpriteDraw& d = draws[i];
        d.texture = texture;
        d.uvCoords[0] = d.uvCoords[1] = 1.0f;
        d.model = Matrix4().Translate(static_cast<float>((i * 7919) % 1856 + 32), static_cast<float>((i * 104729) % 1016 + 32), 0);
        d.model.ScaleColumn(0, 32.0f).ScaleColumn(1, 32.0f);
    }
    return Measure(120, Variant{[&] {
        gl.BeginFrame();
        for (const SpriteDraw& d : draws) gl.DrawSpriteQuad(d);
        gl.Flush();
    }});
}

// The running game: engine ticks, each with its frame finished.
Figures Running(int frames) {
    return Measure(frames, Variant{[] { EngineState::GetInstance().Tick(); }, false});
}

void Level(const std::string& scene) {
    EngineState& engine = EngineState::GetInstance();
    engine.SetNextScene(scene);
    engine.state = EngineState::Load;
    engine.Tick();
    gParticles.clear();
    Running(60);  // warm-up
    std::printf("level %s, %d frames\n", scene.c_str(), kFrames);
    Print("running frame", Running(kFrames));
    std::printf("                   (update, physics, passes, swap, finish)\n");
    CompareWithFloor();
}

// The largest N that fits the budget: doubling from 256, then halving the gap down to
// max(16, N/32). Asked for one probe at a time, so that two searches can go in turn.
struct Search {
    int low = 0, high = 256;
    bool growing = true, done = false;
    int Probe() const { return growing ? high : (low + high) / 2; }
    void Answer(bool fits) {
        if (growing) {
            if (fits && high < (1 << 20)) low = high, high *= 2;
            else growing = false;
        } else {
            (fits ? low : high) = Probe();
        }
        done = !growing && high - low <= std::max(16, low / 32);
    }
};

double Median(std::vector<double> v) { return bench::Percentile(std::move(v), 50); }

// Two sweeps searched probe by probe in turn, so that both meet the same load of a shared
// machine; `probe` measures one side at n sprites and tells whether p95 fits.
template <typename Probe>
std::pair<int, int> SweepInTurn(Probe probe) {
    Search side[2];
    while (!side[0].done || !side[1].done)
        for (int s = 0; s < 2; ++s)
            if (!side[s].done) side[s].Answer(probe(s, side[s].Probe()));
    return {side[0].low, side[1].low};
}

// The batched sweep against SDL's, `rounds` times; then both at the same N, 120 frames
// in turn five times, wall and processor time per frame.
void SweepAgainst(bench::SdlPeer& sdl, uint32_t texture, int rounds) {
    std::vector<double> ratios;
    for (int round = 0; round < rounds; ++round) {
        const auto [engine, other] = SweepInTurn([&](int side, int n) {
            const double p95 = side == 0 ? SweepFrame(n, texture, GlRenderer::Submission::Batched).p95
                                         : sdl.Measure(n, 120).p95;
            return p95 <= kBudgetMs;
        });
        ratios.push_back(other ? static_cast<double>(engine) / other : 0.0);
        std::printf("  round %d: batched N = %d, SDL2 N = %d, ratio %.2f\n", round + 1, engine, other, ratios.back());
    }
    std::printf("  batched N / SDL2 N, median of %d rounds: %.2f (target >= 1.25)\n", rounds, Median(ratios));
    for (int n : {256, 1024}) {
        std::vector<double> wall[2], cpu[2];
        for (int chunk = 0; chunk < 5; ++chunk) {
            const Figures e = SweepFrame(n, texture, GlRenderer::Submission::Batched);
            const bench::SdlPeer::Figures o = sdl.Measure(n, 120);
            wall[0].push_back(e.p50), cpu[0].push_back(e.cpu50);
            wall[1].push_back(o.p50), cpu[1].push_back(o.cpu50);
        }
        std::printf("  N = %4d: batched p50 %6.2f cpu %6.2f ms, SDL2 p50 %6.2f cpu %6.2f ms; SDL2/batched p50 %.2f cpu %.2f\n",
                    n, Median(wall[0]), Median(cpu[0]), Median(wall[1]), Median(cpu[1]),
                    Median(wall[1]) / Median(wall[0]), Median(cpu[1]) / Median(cpu[0]));
    }
}

// The sweep: batched against one draw per item, then against SDL2's renderer sampling
// as it does by default (nearest) and as the engine does (linear).
void SweepAll(uint32_t picture) {
    using S = GlRenderer::Submission;
    std::printf("sweep: largest N of 64-px blended sprites with p95 <= %.1f ms\n", kBudgetMs);
    const auto [batched, single] = SweepInTurn(
        [&](int side, int n) { return SweepFrame(n, picture, side == 0 ? S::Batched : S::OneDrawPerItem).p95 <= kBudgetMs; });
    std::printf("  batched          N = %d\n  one per item     N = %d\n", batched, single);
    for (const char* environment : {"", "SDL_RENDER_SCALE_QUALITY=linear"}) {
        bench::SdlPeer sdl;
        if (!sdl.Start(environment)) {
            std::printf("  SDL2: bench_SdlSweep is not built (it needs libsdl2-dev) or did not start\n");
            return;
        }
        std::printf("SDL2's renderer (%s), %s sampling, taken in turn with the batched sweep:\n", sdl.Name().c_str(),
                    *environment ? "linear" : "nearest (its default)");
        SweepAgainst(sdl, picture, 3);
    }
}

}  // namespace

int main(int argc, char** argv) {
    const bool sweepOnly = argc > 1 && std::string(argv[1]) == "--sweep";
    const std::string level = argc > 1 && !sweepOnly ? argv[1] : "Assets/Scenes/3_Slums.scene";
    char pattern[] = "/tmp/harrowvale-bench-XXXXXX";
    if (!mkdtemp(pattern)) return 1;
    gDir = pattern;
    if (!bench::OpenGame()) return 1;
    using S = GlRenderer::Submission;

    if (!sweepOnly) {
        BuildReferenceFrame();
        Measure(60, Passes(S::Batched));  // warm-up: uploads settle, parallax strips take their places
        std::printf("reference frame 1920x1080, %d frames each, taken in turn (passes + swap + finish)\n", kFrames);
        CompareWithFloor();

        SceneManager::GetInstance().DestroyAll();
        Level(level);
        SceneManager::GetInstance().DestroyAll();
    }
    SweepAll(GraphicsEngine::GetInstance().LoadTexture(Png("sweep", 64, 64, 50, 0)).id);
    std::filesystem::remove_all(gDir);
    std::fflush(stdout);
    std::_Exit(0);  // the window and context die with the process
}
