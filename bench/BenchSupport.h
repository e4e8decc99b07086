#pragma once
// Shared by the GL benchmarks: the game window and graphics start-up, PNG files written
// on the fly, frame timing and percentiles, and the process's resident memory.
#include <GL/gl.h>
#include <lodepng.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <string>
#include <vector>

#include "app/ComponentClasses.h"
#include "app/GameHooks.h"
#include "app/WindowProc.h"
#include "graphics/GraphicsEngine.h"
#include "platform/Heap.h"
#include "platform/Window.h"

namespace bench {

// Opens the 1920 x 1080 window and starts the graphics as the game does (heap settings
// first). Run from the repository root: shaders, font and art are read from there.
inline bool OpenGame() {
    platform::TuneHeap();
    InstallComponentClasses();
    InstallGameHooks();
    GraphicsEngine& graphics = GraphicsEngine::GetInstance();
    platform::WindowDesc desc;
    desc.width = graphics.width;
    desc.height = graphics.height;
    desc.title = "harrowvale bench";
    if (!platform::InitWindowSystem() || !platform::CreateMainWindow(desc, GameWindowHandlers())) {
        std::fprintf(stderr, "no window: run under a display (xvfb-run -a -s \"-screen 0 1920x1080x24\")\n");
        return false;
    }
    platform::ShowMainWindow();
    return graphics.Init();
}

inline double NowMs() {
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

// Processor time of the calling thread: on a shared machine it varies far less than the
// wall clock.
inline double ThreadCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

// Processor time of every thread of the process (decoding helpers, the GL driver's).
inline double ProcessCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

// The p-th percentile (0..100) of the samples, nearest rank.
inline double Percentile(std::vector<double> samples, double p) {
    if (samples.empty()) return 0.0;
    std::sort(samples.begin(), samples.end());
    const std::size_t rank = static_cast<std::size_t>(p / 100.0 * static_cast<double>(samples.size() - 1) + 0.5);
    return samples[std::min(rank, samples.size() - 1)];
}

// One full frame as the game shows it: the passes, the swap, and the wait until the
// picture is done.
inline double TimedFrame() {
    const double start = NowMs();
    GraphicsEngine::GetInstance().DrawFrame();
    platform::SwapMainWindow();
    glFinish();
    return NowMs() - start;
}

// A w x h picture of pseudo-random colours (alpha at least `minAlpha`), written to path.
inline std::string NoisePng(const std::string& path, unsigned w, unsigned h, uint32_t seed, unsigned minAlpha = 255) {
    std::vector<unsigned char> px(static_cast<std::size_t>(w) * h * 4);
    for (std::size_t i = 0; i < px.size(); ++i) {
        seed = seed * 1664525u + 1013904223u;
        px[i] = static_cast<unsigned char>(seed >> 24);
        if (i % 4 == 3) px[i] = static_cast<unsigned char>(std::max<unsigned>(px[i], minAlpha));
    }
    lodepng::encode(path, px, w, h);
    return path;
}

// Resident and peak resident memory of this process in kB; optionally the resident
// part that is anonymous memory (heap, the GL driver's textures) rather than files.
inline void Memory(long& rssKb, long& peakKb, long* anonymousKb = nullptr) {
    std::ifstream status("/proc/self/status");
    std::string key;
    rssKb = peakKb = 0;
    while (status >> key) {
        if (key == "VmRSS:") status >> rssKb;
        else if (key == "VmHWM:") status >> peakKb;
        else if (key == "RssAnon:" && anonymousKb) status >> *anonymousKb;
    }
}

// Starts the peak resident memory afresh from what is resident now, so that the next
// Memory() tells the peak of what ran in between (Linux 4.0 and later). False where the
// kernel does not allow it: the peak then stays that of the whole run.
inline bool ResetPeak() {
    std::ofstream clear("/proc/self/clear_refs");
    return static_cast<bool>(clear << "5" << std::flush);
}

}  // namespace bench
