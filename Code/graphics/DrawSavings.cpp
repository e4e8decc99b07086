#include "graphics/DrawSavings.h"

#include <algorithm>
#include <cmath>

namespace {

// The quad (x0, y0)-(x1, y1) placed by `m` covers no pixel of the screen: it has no area
// or lies wholly beyond an edge. Pixel centres sit half a pixel inside the screen, so a
// quad that only touches an edge covers none. Unknown (false) for a projective matrix
// or coordinates that are not numbers.
bool QuadMissesScreen(const Matrix4& m, float x0, float y0, float x1, float y1, const DrawScreen& screen) {
    if (m.At(0, 3) != 0.0f || m.At(1, 3) != 0.0f || m.At(3, 3) != 1.0f) return false;
    if ((m.At(0, 0) == 0.0f && m.At(0, 1) == 0.0f) || (m.At(1, 0) == 0.0f && m.At(1, 1) == 0.0f)) return true;
    float minX = INFINITY, minY = INFINITY, maxX = -INFINITY, maxY = -INFINITY;
    for (const float x : {x0, x1})
        for (const float y : {y0, y1}) {
            float p[4];
            m.Apply(x, y, 0.0f, p);
            if (std::isnan(p[0]) || std::isnan(p[1])) return false;
            minX = std::min(minX, p[0]), maxX = std::max(maxX, p[0]);
            minY = std::min(minY, p[1]), maxY = std::max(maxY, p[1]);
        }
    return maxX <= 0.0f || maxY <= 0.0f || minX >= screen.width || minY >= screen.height;
}

bool Whole(double v) { return std::floor(v) == v; }

// One axis of a sprite drawn texel for texel: the quad's first pixel, its length in
// pixels (= texels), the texel coordinate at that first pixel's edge, and the direction
// the texels run across the screen.
struct TexelSpan {
    double first = 0;  // whole pixel where the quad starts (left or top)
    double length = 0;
    double start = 0;  // texel coordinate at `first` (whole)
    int direction = 1;
};

// `centre` and `half` place the quad along the axis; the sample coordinate runs from
// uv * scale at the quad's start over `scale` pictures of `texels` texels.
bool ExactSpan(float centre, float half, float uv, float scale, uint32_t texels, TexelSpan& span) {
    if (!(half > 0.0f) || scale == 0.0f || texels == 0) return false;
    // The vertex shader adds the half to the centre in float: the edges must come out
    // whole and exact.
    const float low = centre - half, high = centre + half;
    if (static_cast<double>(low) != static_cast<double>(centre) - half ||
        static_cast<double>(high) != static_cast<double>(centre) + half || !Whole(low) || !Whole(high))
        return false;
    span.first = low;
    span.length = static_cast<double>(high) - low;
    if (std::fabs(static_cast<double>(scale)) * texels != span.length) return false;
    span.start = static_cast<double>(uv * scale) * texels;
    span.direction = scale > 0.0f ? 1 : -1;
    return Whole(span.start);
}

// The lowest texel the span shows, counted within the picture it starts in (k pictures
// along), and whether the span stays inside that one picture.
bool WithinOnePicture(const TexelSpan& span, uint32_t texels, double& period) {
    const double lowest = span.direction > 0 ? span.start : span.start - span.length;
    period = std::floor(lowest / texels);
    return lowest - period * texels + span.length <= texels;
}

// Moves the span's sample coordinates by whole pictures into 0..1; false when the move
// cannot be written exactly in the record's terms.
bool Rebase(float& uv, float scale, double period) {
    if (period == 0.0) return true;
    if (std::fabs(scale) != 1.0f) return false;
    uv = static_cast<float>(uv - period / scale);
    return true;
}

// Narrows one axis of the (rebased, within one picture) span to the visible texels
// [visibleLow, visibleHigh): the quad's centre and half, and the cell's uv and scale.
// False when no visible texel is drawn.
bool Trim(const TexelSpan& span, uint32_t texels, uint32_t visibleLow, uint32_t visibleHigh, float& centre,
          float& half, float& uv, float& scale) {
    const double lowest = span.direction > 0 ? span.start : span.start - span.length;
    const double low = std::max<double>(lowest, visibleLow), high = std::min<double>(lowest + span.length, visibleHigh);
    if (low >= high) return false;
    if (low == lowest && high == lowest + span.length) return true;  // nothing to cut
    // Pixels [p0, p1) of the quad show texels [low, high).
    const double p0 = span.direction > 0 ? low - lowest : lowest + span.length - high;
    const double p1 = p0 + (high - low);
    centre = static_cast<float>(span.first + (p0 + p1) / 2.0);
    half = static_cast<float>((p1 - p0) / 2.0);
    const double texelsDrawn = high - low;
    scale = static_cast<float>(span.direction * texelsDrawn / texels);
    uv = static_cast<float>(span.direction > 0 ? low / texelsDrawn : -high / texelsDrawn);
    return true;
}

bool Unturned(const Matrix4& m) {
    return m.At(0, 1) == 0.0f && m.At(1, 0) == 0.0f && m.At(0, 3) == 0.0f && m.At(1, 3) == 0.0f &&
           m.At(3, 3) == 1.0f;
}

}  // namespace

bool SpriteShowsNothing(const SpriteDraw& d, const PictureFacts* facts, const DrawScreen& screen) {
    if (d.alpha <= 0.0f) return true;
    if (facts && facts->Invisible()) return true;
    return QuadMissesScreen(d.model, -1.0f, -1.0f, 1.0f, 1.0f, screen);
}

bool ParticleShowsNothing(const ParticleDraw& d, const PictureFacts* facts, const DrawScreen& screen) {
    if (d.alpha <= 0.0f) return true;
    if (facts && facts->Invisible()) return true;
    return QuadMissesScreen(d.model, 0.0f, 0.0f, 1.0f, 1.0f, screen);
}

bool GlyphShowsNothing(const GlyphDraw& d, const DrawScreen& screen) {
    float minX = INFINITY, minY = INFINITY, maxX = -INFINITY, maxY = -INFINITY;
    for (int corner = 0; corner < 6; ++corner) {
        const float x = d.vertices[corner * 4], y = d.vertices[corner * 4 + 1];
        if (std::isnan(x) || std::isnan(y)) return false;
        minX = std::min(minX, x), maxX = std::max(maxX, x);
        minY = std::min(minY, y), maxY = std::max(maxY, y);
    }
    // The glyph quad is upright: no width or no height is no area.
    return maxX <= minX || maxY <= minY || maxX <= 0.0f || maxY <= 0.0f || minX >= screen.width ||
           minY >= screen.height;
}

bool PlanSprite(const SpriteDraw& d, const PictureFacts* facts, const DrawScreen& screen, SpritePlan& plan) {
    plan.draw = d;
    plan.sampling = Sampling::Linear;
    plan.blend = !(facts && facts->opaque && d.alpha >= 1.0f);
    if (!facts || !screen.pixelExact || !Unturned(d.model)) return true;
    TexelSpan x, y;
    if (!ExactSpan(d.model.At(3, 0), d.model.At(0, 0), d.uvCoords[0], d.scale[0], facts->width, x) ||
        !ExactSpan(d.model.At(3, 1), d.model.At(1, 1), d.uvCoords[1], d.scale[1], facts->height, y))
        return true;
    plan.sampling = Sampling::NearestRepeat;
    double periodX = 0, periodY = 0;
    if (!WithinOnePicture(x, facts->width, periodX) || !WithinOnePicture(y, facts->height, periodY)) return true;
    SpriteDraw rebased = d;
    if (!Rebase(rebased.uvCoords[0], d.scale[0], periodX) || !Rebase(rebased.uvCoords[1], d.scale[1], periodY))
        return true;
    x.start -= periodX * facts->width;
    y.start -= periodY * facts->height;
    plan.sampling = Sampling::NearestClamp;
    Matrix4& m = rebased.model;
    if (!Trim(x, facts->width, facts->left, facts->right, m.At(3, 0), m.At(0, 0), rebased.uvCoords[0],
              rebased.scale[0]) ||
        !Trim(y, facts->height, facts->top, facts->bottom, m.At(3, 1), m.At(1, 1), rebased.uvCoords[1],
              rebased.scale[1]))
        return false;
    plan.draw = rebased;
    return true;
}
