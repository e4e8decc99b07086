#include "graphics/Font.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>

#include "graphics/TextureCache.h"
#include "platform/Files.h"

namespace {
// Far above any real font; a larger file is not one.
constexpr std::size_t kMaxFontBytes = 64u << 20;
}  // namespace

const GEFont* FindGlyph(const GlyphTable& glyphs, char c) {
    const auto code = static_cast<unsigned char>(c);
    if (code >= glyphs.size()) return nullptr;
    return glyphs[code].present ? &glyphs[code] : nullptr;
}

bool LoadFontGlyphs(const std::string& path, int pixelSize, TextureBackend* backend, GlyphTable& glyphs,
                    std::string* why) {
    // The file is read through our own reader, not opened by FreeType: a named pipe or a
    // device at the font's path would otherwise hold start-up forever.
    std::string file;
    if (!platform::ReadRegularFile(path, kMaxFontBytes, file) || file.empty()) {
        if (why) *why = path + " cannot be read";
        return false;
    }
    if (LoadFontGlyphsFromMemory(file, pixelSize, backend, glyphs, why)) return true;
    if (why) *why = path + ": " + *why;
    return false;
}

bool LoadFontGlyphsFromMemory(const std::string& file, int pixelSize, TextureBackend* backend, GlyphTable& glyphs,
                              std::string* why) {
    // FreeType reads the face from the buffer, which outlives the face (freed below).
    auto fail = [why](const char* reason) {
        if (why) *why = reason;
        return false;
    };
    if (file.empty()) return fail("empty");
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0) return fail("FreeType did not start");
    FT_Face face = nullptr;
    if (FT_New_Memory_Face(library, reinterpret_cast<const FT_Byte*>(file.data()), static_cast<FT_Long>(file.size()),
                           0, &face) != 0) {
        FT_Done_FreeType(library);
        return fail("not a font FreeType can open");
    }
    if (FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelSize)) != 0) {
        FT_Done_Face(face);
        FT_Done_FreeType(library);
        return fail("no glyphs of the size needed");
    }
    for (unsigned code = 0; code < glyphs.size(); ++code) {
        if (glyphs[code].present) continue;  // an existing entry is not replaced
        // Control codes ('\r', '\t'...) and codes the font does not map would draw the
        // font's missing-glyph box: they get no glyph.
        if (code < 32 || code == 127) continue;
        if (FT_Get_Char_Index(face, code) == 0) continue;
        if (FT_Load_Char(face, code, FT_LOAD_RENDER) != 0) continue;
        const FT_GlyphSlot slot = face->glyph;
        GEFont& g = glyphs[code];
        g.size[0] = static_cast<int32_t>(slot->bitmap.width);
        g.size[1] = static_cast<int32_t>(slot->bitmap.rows);
        g.bearing[0] = slot->bitmap_left;
        g.bearing[1] = slot->bitmap_top;
        g.advance = static_cast<uint32_t>(slot->advance.x);
        g.texture = backend ? backend->UploadGlyph(slot->bitmap.buffer, g.size[0], g.size[1], slot->bitmap.pitch) : 0;
        g.present = true;
    }
    FT_Done_Face(face);
    FT_Done_FreeType(library);
    return true;
}

float LineHeight(const GlyphTable& glyphs, float scaleY) {
    const GEFont* h = FindGlyph(glyphs, 'H');
    return (static_cast<float>(h ? h->bearing[1] : 0) + 20.0f) * scaleY;
}

void MeasureText(const GlyphTable& glyphs, const std::string& text, float scaleX, float scaleY, float& width,
                 float& height) {
    const float line = LineHeight(glyphs, scaleY);
    float lineWidth = 0.0f;
    width = 0.0f;
    height = 0.0f;
    for (char c : text) {
        if (c == '\n') {
            height += line;
            width = std::max(width, lineWidth);
            lineWidth = 0.0f;
        } else {
            lineWidth += AdvanceOf(FindGlyph(glyphs, c)) * scaleX;
        }
    }
    width = std::max(width, lineWidth);
    height += line;
}
