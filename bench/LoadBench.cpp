// Load and memory benchmark (not a test): the cold load, a warm reload and the decoding
// of the scene's pictures in one run, then 100 reloads with the resident memory after
// each.
//
//   ALSOFT_DRIVERS=null xvfb-run -a -s "-screen 0 1920x1080x24" build/release/bench/bench_LoadBench [scene [workers]]
//
// The scene defaults to the heaviest one there is (the title menu: its pictures are the
// largest). `workers` sets the load's decoding threads beside the main thread (0: the
// main thread decodes each picture as it loads it; default: as the game picks). The
// pictures are those the cold load put in the texture cache (the scene's own and those
// every load builds, such as the speech bubble's); decoding them is timed after the
// load, with the files already read once, on one thread.
//
// A load decodes its pictures on worker threads: its wall time is what the player waits,
// the main thread's processor time what it costs the game's own thread, and the
// processor time of all threads what it costs the machine.
//
//   ... bench_LoadBench --levels [loads]
//
// cycles the nine playable levels (1_Slums to 10c_Magitek, without the conversations) for
// `loads` loads (default 50), printing the resident memory after each load, its
// growth after the first round (target <= 5 MB), and each load's own peak (target <= 260 MB).
#include <lodepng.h>

#include <algorithm>
#include <cstdlib>
#include <set>
#include <vector>

#include "BenchSupport.h"
#include "gameobjectengine/EngineState.h"

namespace {

std::set<std::string> CachedPictures() {
    std::set<std::string> paths;
    for (const auto& entry : GraphicsEngine::GetInstance().textures.Entries()) paths.insert(entry.first);
    return paths;
}

struct Ms {
    double wall = 0, cpu = 0, all = 0;  // wall, this thread's processor time, every thread's
};

Ms Now() { return {bench::NowMs(), bench::ThreadCpuMs(), bench::ProcessCpuMs()}; }

Ms Since(const Ms& start) {
    const Ms now = Now();
    return {now.wall - start.wall, now.cpu - start.cpu, now.all - start.all};
}

Ms DecodeMs(const std::set<std::string>& pictures) {
    const Ms start = Now();
    for (const std::string& path : pictures) {
        unsigned w = 0, h = 0;
        unsigned char* pixels = nullptr;
        lodepng_decode32_file(&pixels, &w, &h, path.c_str());
        std::free(pixels);
    }
    return Since(start);
}

Ms LoadMs(const std::string& scene) {
    EngineState& engine = EngineState::GetInstance();
    const Ms start = Now();
    engine.SetNextScene(scene);
    engine.state = EngineState::Load;
    engine.Tick();
    glFinish();
    return Since(start);
}

void PrintMemory(const char* when) {
    long rss = 0, peak = 0, anonymous = 0;
    bench::Memory(rss, peak, &anonymous);
    std::printf("  %-28s RSS %7ld kB (anonymous %7ld kB), peak %7ld kB\n", when, rss, anonymous, peak);
}

// Loads the nine levels in turn, `loads` loads in all. Each load's peak is its own: the
// high-water mark starts afresh from what is resident before it.
int CycleLevels(int loads) {
    const char* const levels[] = {"1_Slums", "2_Slums", "3_Slums", "6_Magitek", "7_Magitek",
                                  "8_Magitek", "9_Magitek", "10_Magitek", "10c_Magitek"};
    constexpr int kLevels = 9;
    std::printf("%d loads cycling the nine levels\n", loads);
    PrintMemory("before the first load");
    const bool peakPerLoad = bench::ResetPeak();
    if (!peakPerLoad) std::printf("  (the kernel does not reset the peak: peaks are of the whole run)\n");
    long rss = 0, peak = 0;
    std::vector<long> firstRound(kLevels, 0), secondRound(kLevels, 0), last(kLevels, 0);
    std::vector<long> highestRss(kLevels, 0), highestPeak(kLevels, 0);
    for (int i = 0; i < loads; ++i) {
        const int level = i % kLevels;
        if (peakPerLoad) bench::ResetPeak();
        const Ms load = LoadMs(std::string("Assets/Scenes/") + levels[level] + ".scene");
        bench::Memory(rss, peak);
        std::printf("  load %2d %-12s %8.1f ms wall, RSS %7ld kB, peak of the load %7ld kB\n", i + 1, levels[level],
                    load.wall, rss, peak);
        (i < kLevels ? firstRound : i < 2 * kLevels ? secondRound : last)[level] = rss;
        last[level] = rss;
        highestRss[level] = std::max(highestRss[level], rss);
        highestPeak[level] = std::max(highestPeak[level], peak);
    }
    PrintMemory("after the last load");
    std::printf("  per level, most over its visits: RSS once loaded / peak while loading it (kB)\n");
    for (int level = 0; level < kLevels && level < loads; ++level)
        std::printf("    %-12s %7ld / %7ld\n", levels[level], highestRss[level], highestPeak[level]);
    // Each level's resident memory at its last load against the same level's earlier.
    long fromFirst = 0, fromSecond = 0;
    for (int level = 0; level < kLevels && loads >= 2 * kLevels; ++level) {
        fromFirst = std::max(fromFirst, last[level] - firstRound[level]);
        fromSecond = std::max(fromSecond, last[level] - secondRound[level]);
    }
    std::printf("  growth of a level's RSS, most of the nine: %ld kB since its first load, %ld kB since the first "
                "round (target <= 5120 kB); highest peak %ld kB\n",
                fromFirst, fromSecond, *std::max_element(highestPeak.begin(), highestPeak.end()));
    std::fflush(stdout);
    std::_Exit(0);
}

}  // namespace

int main(int argc, char** argv) {
    const std::string scene = argc > 1 ? argv[1] : "Assets/Scenes/FirstTimeMainMenu.scene";
    if (!bench::OpenGame()) return 1;
    if (scene == "--levels") return CycleLevels(argc > 2 ? std::atoi(argv[2]) : 50);
    PrintMemory("before the load");
    if (argc > 2) GraphicsEngine::GetInstance().textures.SetDecodeWorkers(static_cast<unsigned>(std::atoi(argv[2])));
    const std::set<std::string> before = CachedPictures();  // the fonts of the start-up
    const bool peakOfLoad = bench::ResetPeak();
    const Ms cold = LoadMs(scene);
    long rss = 0, peak = 0;
    bench::Memory(rss, peak);
    std::printf("  after the cold load          RSS %7ld kB, peak %s %7ld kB\n", rss,
                peakOfLoad ? "of the load" : "of the run ", peak);
    std::set<std::string> pictures;
    for (const std::string& path : CachedPictures())
        if (!before.count(path)) pictures.insert(path);
    DecodeMs(pictures);
    const Ms decode = DecodeMs(pictures);
    const Ms warm = LoadMs(scene);
    bench::Memory(rss, peak);
    const long first = rss;
    long highest = rss;
    std::printf("%s: %zu pictures:", scene.c_str(), pictures.size());
    for (const std::string& path : pictures) std::printf(" %s", path.c_str());
    std::printf("\n");
    std::printf("                 wall ms  main cpu ms  all cpu ms\n");
    std::printf("  decode        %8.2f  %8.2f  %8.2f\n", decode.wall, decode.cpu, decode.all);
    std::printf("  cold load     %8.2f  %8.2f  %8.2f   x decode: wall %.2f (target <= 1.2), main cpu %.2f, all cpu %.2f\n",
                cold.wall, cold.cpu, cold.all, cold.wall / decode.wall, cold.cpu / decode.cpu, cold.all / decode.all);
    std::printf("  warm reload   %8.2f  %8.2f  %8.2f   x decode: wall %.2f, main cpu %.2f, all cpu %.2f\n", warm.wall,
                warm.cpu, warm.all, warm.wall / decode.wall, warm.cpu / decode.cpu, warm.all / decode.all);
    std::printf("  RSS after reloads (kB):");
    for (int i = 1; i <= 100; ++i) {
        LoadMs(scene);
        bench::Memory(rss, peak);
        highest = std::max(highest, rss);
        if (i % 10 == 0) std::printf(" %ld", rss);
    }
    std::printf("\n");
    PrintMemory("after the reloads");
    std::printf("  RSS %ld kB -> %ld kB (growth %ld kB, highest %ld kB, target growth <= 1024 kB); peak RSS %ld kB\n",
                first, rss, rss - first, highest, peak);
    std::fflush(stdout);
    std::_Exit(0);  // the window and context die with the process
}
