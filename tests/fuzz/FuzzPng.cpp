// A PNG file through the texture cache's decode and size checks (uploads go nowhere).
#include "FuzzSupport.h"
#include "graphics/TextureCache.h"

namespace {

class NullBackend : public TextureBackend {
public:
    uint32_t UploadRgba(const unsigned char*, uint32_t, uint32_t) override { return ++last_; }
    uint32_t UploadGlyph(const unsigned char*, int, int, int) override { return ++last_; }
    void Delete(uint32_t) override {}

private:
    uint32_t last_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static NullBackend backend;
    TextureCache cache;
    cache.SetBackend(&backend);
    cache.Load(fuzz::WriteInput(data, size, ".png"));
    return 0;
}
