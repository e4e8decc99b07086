// The sprite sweep done with SDL2's renderer, for comparison with bench_FrameBench's:
// N 64-px blended sprites of the same picture at the same places, each frame a clear,
// the N copies, the present and a wait until the picture is done (a one-pixel
// read-back), at 1920 x 1080.
//
//   xvfb-run -a -s "-screen 0 1920x1080x24" build/release/bench/bench_SdlSweep
//       searches on its own for the largest N whose frame keeps p95 <= 16.7 ms.
//   bench_SdlSweep --serve
//       answers bench_FrameBench, which runs it beside its own sweep: for each line
//       "N FRAMES" read, it draws FRAMES frames of N sprites and writes one line
//       "p50 p95 cpu50" (wall and processor milliseconds per frame).
//
// SDL_RENDER_SCALE_QUALITY=linear in the environment makes SDL sample the picture as the
// engine does (its default is nearest; for sprites drawn at their own size at whole
// pixels the two give the same pixels).
#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <vector>

namespace {

constexpr double kBudgetMs = 16.7;

double NowMs() {
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

double ProcessCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

double Percentile(std::vector<double> samples, double p) {
    std::sort(samples.begin(), samples.end());
    const auto rank = static_cast<std::size_t>(p / 100.0 * static_cast<double>(samples.size() - 1) + 0.5);
    return samples[std::min(rank, samples.size() - 1)];
}

struct Figures {
    double p50 = 0, p95 = 0, cpu50 = 0;
};

// The engine bench's sweep picture: the same pseudo-random bytes, red first.
SDL_Texture* Picture(SDL_Renderer* renderer) {
    std::vector<unsigned char> pixels(64 * 64 * 4);
    uint32_t seed = 50;
    for (unsigned char& byte : pixels) byte = static_cast<unsigned char>((seed = seed * 1664525u + 1013904223u) >> 24);
    SDL_Texture* picture =
        SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ABGR8888, SDL_TEXTUREACCESS_STATIC, 64, 64);  // R,G,B,A bytes
    if (!picture) return nullptr;
    SDL_UpdateTexture(picture, nullptr, pixels.data(), 64 * 4);
    SDL_SetTextureBlendMode(picture, SDL_BLENDMODE_BLEND);
    return picture;
}

Figures Measure(SDL_Renderer* renderer, SDL_Texture* picture, int n, int frames) {
    std::vector<SDL_Rect> places(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) places[i] = {(i * 7919) % 1856, (i * 104729) % 1016, 64, 64};
    std::vector<double> wall, cpu;
    for (int frame = 0; frame < frames; ++frame) {
        const double start = NowMs(), startCpu = ProcessCpuMs();
        SDL_SetRenderDrawColor(renderer, 0, 0, 0, 0);
        SDL_RenderClear(renderer);
        for (const SDL_Rect& place : places) SDL_RenderCopy(renderer, picture, nullptr, &place);
        SDL_RenderPresent(renderer);
        uint32_t pixel = 0;
        const SDL_Rect one{0, 0, 1, 1};
        SDL_RenderReadPixels(renderer, &one, SDL_PIXELFORMAT_ABGR8888, &pixel, 4);
        wall.push_back(NowMs() - start);
        cpu.push_back(ProcessCpuMs() - startCpu);
    }
    return {Percentile(wall, 50), Percentile(wall, 95), Percentile(cpu, 50)};
}

int Sweep(SDL_Renderer* renderer, SDL_Texture* picture) {
    auto fits = [&](int n) { return Measure(renderer, picture, n, 120).p95 <= kBudgetMs; };
    int low = 0, high = 256;
    while (fits(high) && high < (1 << 20)) low = high, high *= 2;
    while (high - low > std::max(16, low / 32)) {
        const int mid = (low + high) / 2;
        (fits(mid) ? low : high) = mid;
    }
    return low;
}

}  // namespace

int main(int argc, char** argv) {
    const bool serve = argc > 1 && std::strcmp(argv[1], "--serve") == 0;
    if (SDL_Init(SDL_INIT_VIDEO) != 0) return 1;
    SDL_Window* window = SDL_CreateWindow("sdl sweep", 0, 0, 1920, 1080, 0);
    SDL_Renderer* renderer = window ? SDL_CreateRenderer(window, -1, 0) : nullptr;
    SDL_Texture* picture = renderer ? Picture(renderer) : nullptr;
    if (!picture) {
        std::fprintf(stderr, "bench_SdlSweep: %s\n", SDL_GetError());
        return 1;
    }
    SDL_RendererInfo info{};
    SDL_GetRendererInfo(renderer, &info);
    if (serve) {
        std::printf("%s\n", info.name);
        std::fflush(stdout);
        int n = 0, frames = 0;
        while (std::scanf("%d %d", &n, &frames) == 2 && frames > 0) {
            const Figures f = Measure(renderer, picture, n, frames);
            std::printf("%.3f %.3f %.3f\n", f.p50, f.p95, f.cpu50);
            std::fflush(stdout);
        }
    } else {
        std::printf("SDL2 (%s): N = %d\n", info.name, Sweep(renderer, picture));
    }
    SDL_Quit();
    return 0;
}
