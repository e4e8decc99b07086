// A font file through the game's font reader, at the game's glyph size: whatever it
// holds, the reader returns, and the glyphs it keeps lay text out in finite numbers.
#include <cmath>
#include <cstdlib>
#include <string>

#include "FuzzSupport.h"
#include "graphics/Font.h"
#include "graphics/GraphicsEngine.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    GlyphTable glyphs{};
    // No texture backend: the bitmaps are rendered and measured, not uploaded.
    if (!LoadFontGlyphs(fuzz::WriteInput(data, size, ".ttf"), GraphicsEngine::kGlyphPixels, nullptr, glyphs)) return 0;
    for (const GEFont& glyph : glyphs)
        if (glyph.present && (glyph.size[0] < 0 || glyph.size[1] < 0)) std::abort();
    float width = 0.0f, height = 0.0f;
    MeasureText(glyphs, "Harrowvale\n0123 !?", 1.0f, 1.0f, width, height);
    if (!std::isfinite(width) || !std::isfinite(height) || width < 0.0f) std::abort();
    return 0;
}
