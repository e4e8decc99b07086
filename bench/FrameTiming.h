#pragma once
// Shared by the frame benchmarks: ways of drawing a frame timed frame by frame in turn,
// so that all of them meet the same load of a shared machine.
#include <functional>
#include <vector>

#include "BenchSupport.h"
#include "graphics/GlRenderer.h"

namespace bench {

struct Figures {
    double p50 = 0, p95 = 0;  // wall milliseconds per frame
    double cpu50 = 0;         // processor milliseconds per frame, every thread (the renderer's too)
    uint32_t draws = 0;
};

// A way of drawing the frame; it swaps after each frame unless the frame swaps itself.
struct Variant {
    std::function<void()> frame;
    bool swap = true;
};

inline std::vector<Figures> Measure(int frames, const std::vector<Variant>& variants) {
    GlRenderer& gl = *GraphicsEngine::GetInstance().Renderer();
    std::vector<std::vector<double>> wall(variants.size()), cpu(variants.size());
    std::vector<Figures> figures(variants.size());
    for (int i = 0; i < frames; ++i) {
        for (std::size_t v = 0; v < variants.size(); ++v) {
            const double start = NowMs(), startCpu = ProcessCpuMs();
            variants[v].frame();
            if (variants[v].swap) platform::SwapMainWindow();
            glFinish();
            wall[v].push_back(NowMs() - start);
            cpu[v].push_back(ProcessCpuMs() - startCpu);
            figures[v].draws = gl.DrawCalls();
        }
    }
    for (std::size_t v = 0; v < variants.size(); ++v) {
        figures[v].p50 = Percentile(wall[v], 50);
        figures[v].p95 = Percentile(wall[v], 95);
        figures[v].cpu50 = Percentile(cpu[v], 50);
    }
    return figures;
}

inline Figures Measure(int frames, const Variant& variant) { return Measure(frames, std::vector<Variant>{variant})[0]; }

inline void Print(const char* name, const Figures& f) {
    std::printf("  %-16s p50 %7.2f ms  p95 %7.2f ms  cpu p50 %7.2f ms  %4u draws/frame\n", name, f.p50, f.p95, f.cpu50,
                f.draws);
}

}  // namespace bench
