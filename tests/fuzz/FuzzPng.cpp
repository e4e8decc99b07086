// A PNG file through the texture cache's decode and size checks, held and shown or loaded
// (uploads go nowhere but are filled in strips, so large pictures are streamed). Our own
// reader of plain pictures must agree with the general decoder on every input it takes.
#include <lodepng.h>

#include <cstdlib>
#include <cstring>

#include "FuzzSupport.h"
#include "graphics/PlainPng.h"
#include "graphics/TextureCache.h"

namespace {

class NullBackend : public TextureBackend {
public:
    uint32_t UploadRgba(const unsigned char*, uint32_t, uint32_t) override { return ++last_; }
    uint32_t UploadGlyph(const unsigned char*, int, int, int) override { return ++last_; }
    void Delete(uint32_t) override {}
    uint32_t Reserve() override { return ++last_; }

private:
    uint32_t last_ = 0;
};

// Whatever the plain reader decodes, the general decoder decodes the same.
void CompareWithTheGeneralDecoder(const uint8_t* data, size_t size) {
    unsigned width = 0, height = 0;
    unsigned char* plain = DecodePlainPng(data, size, width, height);
    if (!plain) return;
    unsigned char* general = nullptr;
    unsigned w = 0, h = 0;
    const unsigned error = lodepng_decode_memory(&general, &w, &h, data, size, LCT_RGBA, 8);
    if (error != 0 || w != width || h != height || std::memcmp(plain, general, std::size_t{w} * h * 4) != 0) std::abort();
    std::free(plain);
    std::free(general);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static NullBackend backend;
    CompareWithTheGeneralDecoder(data, size);
    TextureCache cache;
    cache.SetBackend(&backend);
    const std::string path = fuzz::WriteInput(data, size, ".png");
    if (size % 2 == 0) {
        cache.Load(path);
    } else if (const uint32_t held = cache.Hold(path).id) {
        cache.Show(held);
    }
    return 0;
}
