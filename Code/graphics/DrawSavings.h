#pragma once
// Drawing only the pixels that show, with the same pictures (no GL here).
//
// - A draw that cannot change a pixel is left out: opacity 0, no area, wholly outside
//   the 1920 x 1080 screen, or a picture with no visible pixel. Every record carries all
//   its uniforms, so leaving one out changes nothing for the records after it.
// - A sprite drawn texel for texel (one texel to a pixel, unturned, on whole pixels, the
//   picture upright or mirrored by whole texels) samples its nearest texel: every pixel
//   centre sits on a texel centre, where linear filtering returns that texel alone.
//   Such a draw of a picture with wide transparent borders covers only the boxes around
//   its visible texels (the rest would blend in nothing).
// - Any other unturned draw of such a picture is cut by a scissor box to the pixels
//   whose samples can reach a visible texel: the quad, and so every sample, stays as it
//   was; only fragments that would blend in nothing are not made.
// - A fully opaque picture at full opacity is written without blending: blending would
//   take its colour unchanged and none of the screen's.
#include <cstdint>

#include "graphics/PictureFacts.h"
#include "graphics/RenderPasses.h"

// How a sprite record is sampled.
enum class Sampling : uint8_t {
    Linear,        // as every picture is uploaded (linear, repeating)
    NearestRepeat, // nearest, coordinates beyond 0..1 (tiled strips)
    NearestClamp,  // nearest, coordinates within 0..1
};

struct SpritePlan {
    // The records to draw: the one given, or its quad and cell trimmed to each band of
    // visible texels it shows.
    SpriteDraw draws[PictureFacts::kMaxBands];
    int count = 0;
    Sampling sampling = Sampling::Linear;
    bool blend = true;
    bool scissor = false;
    int32_t scissorBox[4] = {};  // x, y (from the bottom), width, height in screen pixels
};

// The screen the draws land on: the projection's size, and whether the viewport shows
// it pixel for pixel (a window of another size scales it, and nothing is texel-exact).
struct DrawScreen {
    float width = 1920.0f;
    float height = 1080.0f;
    bool pixelExact = true;
};

// True when the draw cannot change a pixel. `facts` may be null (nothing known).
bool SpriteShowsNothing(const SpriteDraw& draw, const PictureFacts* facts, const DrawScreen& screen);
bool ParticleShowsNothing(const ParticleDraw& draw, const PictureFacts* facts, const DrawScreen& screen);
bool GlyphShowsNothing(const GlyphDraw& draw, const DrawScreen& screen);

// How to draw a sprite record that shows something; false when it turns out to show
// nothing after all (no visible texel lies in the part drawn).
bool PlanSprite(const SpriteDraw& draw, const PictureFacts* facts, const DrawScreen& screen, SpritePlan& plan);
