#pragma once
// The game's one font, rasterised once at start-up into one single-channel texture per
// character code 0-127, and the layout of text set in it.
#include <array>
#include <cstdint>
#include <string>

class TextureBackend;

struct GEFont {
    bool present = false;  // false: the code has no glyph and draws nothing
    uint32_t texture = 0;
    int32_t size[2] = {0, 0};     // bitmap width and rows in pixels
    int32_t bearing[2] = {0, 0};  // left and top bearing in pixels
    uint32_t advance = 0;         // horizontal advance in 1/64 pixel
};

using GlyphTable = std::array<GEFont, 128>;

// The glyph of a character, or null when it has none (codes above 127 included).
const GEFont* FindGlyph(const GlyphTable& glyphs, char c);

// Renders codes 0-127 of face 0 of the file at `pixelSize`. Codes the font does not map
// and control codes get no glyph. Bitmaps go through the backend (null: metrics only,
// texture 0). False when FreeType or the file fails (everything opened is freed); `why`,
// when given, then says which in a few words.
bool LoadFontGlyphs(const std::string& path, int pixelSize, TextureBackend* backend, GlyphTable& glyphs,
                    std::string* why = nullptr);
// The same from the bytes of a font file.
bool LoadFontGlyphsFromMemory(const std::string& file, int pixelSize, TextureBackend* backend, GlyphTable& glyphs,
                              std::string* why = nullptr);

// Whole pixels advanced by a glyph at scale 1.
inline float AdvanceOf(const GEFont* g) { return g ? static_cast<float>(g->advance / 64) : 0.0f; }

// The distance between two lines: (top bearing of 'H' + 20) x scale y.
float LineHeight(const GlyphTable& glyphs, float scaleY);

// Width of the widest line and the height of all lines, in pixels.
void MeasureText(const GlyphTable& glyphs, const std::string& text, float scaleX, float scaleY, float& width,
                 float& height);

// Lays a string out from a pen at (x, y) (the top of 'H' sits at y) and calls
// emit(glyph, vertices) for every drawable character with its six (x, y, u, v)
// vertices, v = 0 at the glyph's top. A line feed returns to x and moves down one line.
template <typename Emit>
void LayoutText(const GlyphTable& glyphs, const std::string& text, float penX, float penY, float scaleX,
                float scaleY, Emit&& emit) {
    const GEFont* h = FindGlyph(glyphs, 'H');
    const float topH = h ? static_cast<float>(h->bearing[1]) : 0.0f;
    float x = penX, y = penY;
    for (char c : text) {
        if (c == '\n') {
            y += LineHeight(glyphs, scaleY);
            x = penX;
            continue;
        }
        const GEFont* g = FindGlyph(glyphs, c);
        if (!g) continue;  // no glyph: nothing drawn, no advance
        const float xpos = x + static_cast<float>(g->bearing[0]) * scaleX;
        const float ypos = y + (topH - static_cast<float>(g->bearing[1])) * scaleY;
        const float w = static_cast<float>(g->size[0]) * scaleX;
        const float hgt = static_cast<float>(g->size[1]) * scaleY;
        const float vertices[24] = {xpos, ypos + hgt, 0, 1, xpos + w, ypos,       1, 0, xpos,     ypos,       0, 0,
                                    xpos, ypos + hgt, 0, 1, xpos + w, ypos + hgt, 1, 1, xpos + w, ypos, 1, 0};
        emit(*g, vertices);
        x += AdvanceOf(g) * scaleX;
    }
}
