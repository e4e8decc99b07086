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

enum class Stretch { Nothing, Whole, Part };

// Along one axis of an unturned quad (`centre`, `half`) whose samples run from uv * scale
// over `scale` pictures of `texels` texels: the pixels [first, last) within [0, limit)
// whose samples can reach a texel of [visibleLow, visibleHigh) in any of the pictures
// repeated along it (a picture's last row also reaches its first, repeated). A sample
// reaches the two texels around it; one texel and one pixel more are allowed for the
// rounding of the interpolated coordinates.
Stretch VisibleStretch(float centre, float half, float uv, float scale, uint32_t texels, uint32_t visibleLow,
                       uint32_t visibleHigh, double limit, double& first, double& last) {
    constexpr int kMostPictures = 64;  // beyond, not worth the look
    const double e0 = static_cast<double>(centre) - half, e1 = static_cast<double>(centre) + half;
    const double t0 = static_cast<double>(uv) * scale * texels, t1 = (static_cast<double>(uv) + 1.0) * scale * texels;
    if (!(e1 > e0) || !(t1 != t0) || !std::isfinite(t0) || !std::isfinite(t1)) return Stretch::Whole;
    // Only the part on the screen (and a pixel around it) counts.
    const double s0 = std::max(e0, -1.0), s1 = std::min(e1, limit + 1.0);
    if (s0 >= s1) return Stretch::Nothing;
    auto texelAt = [&](double p) { return t0 + (p - e0) / (e1 - e0) * (t1 - t0); };
    auto pixelAt = [&](double t) { return e0 + (t - t0) / (t1 - t0) * (e1 - e0); };
    const double low = std::min(texelAt(s0), texelAt(s1)), high = std::max(texelAt(s0), texelAt(s1));
    const double n = texels;
    const double kFirst = std::floor((low - visibleHigh - 1.0) / n), kLast = std::floor((high - visibleLow + 1.0) / n);
    if (kLast - kFirst > kMostPictures) return Stretch::Whole;
    double a = INFINITY, b = -INFINITY;
    for (double k = kFirst; k <= kLast; ++k) {
        const double v0 = std::max(low, k * n + visibleLow - 1.0), v1 = std::min(high, k * n + visibleHigh + 1.0);
        if (v0 > v1) continue;
        if (b != -INFINITY && v0 > b) return Stretch::Whole;  // two stretches: one box cannot hold them
        a = std::min(a, v0);
        b = std::max(b, v1);
    }
    if (a > b) return Stretch::Nothing;
    first = std::floor(std::min(pixelAt(a), pixelAt(b))) - 1.0;
    last = std::ceil(std::max(pixelAt(a), pixelAt(b))) + 1.0;
    return Stretch::Part;
}

// Cuts an unturned draw of a picture with transparent borders down to a scissor box when
// that leaves out a good part of what it covers on the screen. False: nothing shows.
bool CutByScissor(const SpriteDraw& d, const PictureFacts& facts, const DrawScreen& screen, SpritePlan& plan) {
    const Matrix4& m = d.model;
    double box[2][2];  // [axis][first, last] on the screen
    const float limits[2] = {screen.width, screen.height};
    double covered = 1.0, kept = 1.0;
    for (int axis = 0; axis < 2; ++axis) {
        const float centre = m.At(3, axis), half = m.At(axis, axis);
        const uint32_t texels = axis == 0 ? facts.width : facts.height;
        const uint32_t low = axis == 0 ? facts.visible.left : facts.visible.top;
        const uint32_t high = axis == 0 ? facts.visible.right : facts.visible.bottom;
        const double onScreenFirst = std::max(0.0, static_cast<double>(centre) - std::fabs(half));
        const double onScreenLast = std::min<double>(limits[axis], static_cast<double>(centre) + std::fabs(half));
        box[axis][0] = onScreenFirst;
        box[axis][1] = onScreenLast;
        double first = 0, last = 0;
        const Stretch stretch =
            VisibleStretch(centre, half, d.uvCoords[axis], d.scale[axis], texels, low, high, limits[axis], first, last);
        if (stretch == Stretch::Nothing) return false;
        if (stretch == Stretch::Part) {
            box[axis][0] = std::max(box[axis][0], first);
            box[axis][1] = std::min(box[axis][1], last);
        }
        if (box[axis][0] >= box[axis][1]) return false;
        covered *= std::max(1.0, onScreenLast - onScreenFirst);
        kept *= box[axis][1] - box[axis][0];
    }
    // A box costs a break in the batch: only worth it for a large cut.
    if (!(covered - kept >= 32768.0) || !(kept <= covered * 0.875)) return true;
    const double left = std::floor(box[0][0]), right = std::ceil(box[0][1]);
    const double top = std::floor(box[1][0]), bottom = std::ceil(box[1][1]);
    if (!std::isfinite(left + right + top + bottom)) return true;
    plan.scissor = true;
    plan.scissorBox[0] = static_cast<int32_t>(left);
    plan.scissorBox[1] = static_cast<int32_t>(screen.height - bottom);
    plan.scissorBox[2] = static_cast<int32_t>(right - left);
    plan.scissorBox[3] = static_cast<int32_t>(bottom - top);
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
    plan.draws[0] = d;
    plan.count = 1;
    plan.sampling = Sampling::Linear;
    plan.blend = !(facts && facts->opaque && d.alpha >= 1.0f);
    plan.scissor = false;
    if (!facts || !screen.pixelExact || !Unturned(d.model)) return true;
    TexelSpan x, y;
    if (!ExactSpan(d.model.At(3, 0), d.model.At(0, 0), d.uvCoords[0], d.scale[0], facts->width, x) ||
        !ExactSpan(d.model.At(3, 1), d.model.At(1, 1), d.uvCoords[1], d.scale[1], facts->height, y))
        return CutByScissor(d, *facts, screen, plan);
    plan.sampling = Sampling::NearestRepeat;
    double periodX = 0, periodY = 0;
    SpriteDraw rebased = d;
    if (!WithinOnePicture(x, facts->width, periodX) || !WithinOnePicture(y, facts->height, periodY) ||
        !Rebase(rebased.uvCoords[0], d.scale[0], periodX) || !Rebase(rebased.uvCoords[1], d.scale[1], periodY))
        return CutByScissor(d, *facts, screen, plan);
    x.start -= periodX * facts->width;
    y.start -= periodY * facts->height;
    plan.sampling = Sampling::NearestClamp;
    plan.count = 0;
    for (int band = 0; band < facts->bandCount; ++band) {
        const TexelBox& box = facts->bands[band];
        SpriteDraw& part = plan.draws[plan.count];
        part = rebased;
        Matrix4& m = part.model;
        if (Trim(x, facts->width, box.left, box.right, m.At(3, 0), m.At(0, 0), part.uvCoords[0], part.scale[0]) &&
            Trim(y, facts->height, box.top, box.bottom, m.At(3, 1), m.At(1, 1), part.uvCoords[1], part.scale[1]))
            ++plan.count;
    }
    return plan.count > 0;
}
