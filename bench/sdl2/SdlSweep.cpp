// The sprite sweep done with SDL2's renderer, for comparison with bench_FrameBench's:
// the largest N of 64-px blended sprites from one picture, at the same places, whose
// frame (clear, N copies, a one-pixel read-back that waits for the picture, present)
// keeps p95 <= 16.7 ms at 1920 x 1080.
//
//   xvfb-run -a -s "-screen 0 1920x1080x24" build/release/bench/bench_SdlSweep
#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

double NowMs() {
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

double P95(SDL_Renderer* renderer, SDL_Texture* picture, int n) {
    std::vector<double> times;
    for (int frame = 0; frame < 120; ++frame) {
        const double start = NowMs();
        SDL_SetRenderDrawColor(renderer, 0, 0, 0, 0);
        SDL_RenderClear(renderer);
        for (int i = 0; i < n; ++i) {
            const SDL_Rect place{(i * 7919) % 1856, (i * 104729) % 1016, 64, 64};
            SDL_RenderCopy(renderer, picture, nullptr, &place);
        }
        uint32_t pixel = 0;
        const SDL_Rect one{0, 0, 1, 1};
        SDL_RenderReadPixels(renderer, &one, SDL_PIXELFORMAT_RGBA8888, &pixel, 4);
        SDL_RenderPresent(renderer);
        times.push_back(NowMs() - start);
    }
    std::sort(times.begin(), times.end());
    return times[static_cast<std::size_t>(0.95 * static_cast<double>(times.size() - 1) + 0.5)];
}

}  // namespace

int main() {
    if (SDL_Init(SDL_INIT_VIDEO) != 0) return 1;
    SDL_Window* window = SDL_CreateWindow("sdl sweep", 0, 0, 1920, 1080, 0);
    SDL_Renderer* renderer = window ? SDL_CreateRenderer(window, -1, 0) : nullptr;
    if (!renderer) return 1;
    std::vector<uint32_t> pixels(64 * 64);
    uint32_t seed = 50;
    for (uint32_t& p : pixels) p = (seed = seed * 1664525u + 1013904223u);
    SDL_Texture* picture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_RGBA8888, SDL_TEXTUREACCESS_STATIC, 64, 64);
    SDL_UpdateTexture(picture, nullptr, pixels.data(), 64 * 4);
    SDL_SetTextureBlendMode(picture, SDL_BLENDMODE_BLEND);

    int low = 0, high = 256;
    while (P95(renderer, picture, high) <= 16.7 && high < (1 << 20)) low = high, high *= 2;
    while (high - low > std::max(16, low / 32)) {
        const int mid = (low + high) / 2;
        (P95(renderer, picture, mid) <= 16.7 ? low : high) = mid;
    }
    SDL_RendererInfo info{};
    SDL_GetRendererInfo(renderer, &info);
    std::printf("SDL2 (%s): N = %d\n", info.name, low);
    SDL_Quit();
    return 0;
}
