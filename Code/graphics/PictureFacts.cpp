#include "graphics/PictureFacts.h"

#include <algorithm>
#include <cstddef>

PictureFacts ExaminePicture(const unsigned char* rgba, uint32_t width, uint32_t height) {
    PictureFacts facts;
    facts.width = width;
    facts.height = height;
    if (!rgba || width == 0 || height == 0) return facts;
    bool opaque = true;
    uint32_t left = width, right = 0, top = height, bottom = 0;
    for (uint32_t y = 0; y < height; ++y) {
        const unsigned char* row = rgba + static_cast<std::size_t>(y) * width * 4;
        uint32_t first = width, last = 0;
        for (uint32_t x = 0; x < width; ++x) {
            const unsigned char alpha = row[x * 4 + 3];
            if (alpha != 255) opaque = false;
            if (alpha == 0) continue;
            if (first == width) first = x;
            last = x + 1;
        }
        if (first == width) continue;  // a fully transparent row
        left = std::min(left, first);
        right = std::max(right, last);
        top = std::min(top, y);
        bottom = y + 1;
    }
    facts.opaque = opaque;
    if (left < right) {
        facts.left = left;
        facts.right = right;
        facts.top = top;
        facts.bottom = bottom;
    }
    return facts;
}
