#include "graphics/PictureFacts.h"

#include <algorithm>
#include <cstddef>

namespace {

// Fully transparent rows fewer than this between two visible stretches do not split a
// band: another quad costs more than the few rows it saves.
constexpr uint32_t kMinGap = 32;

// Merges the two neighbouring bands with the narrowest gap between them.
void MergeNarrowestGap(std::vector<TexelBox>& bands) {
    std::size_t at = 0;
    for (std::size_t i = 1; i + 1 < bands.size(); ++i)
        if (bands[i + 1].top - bands[i].bottom < bands[at + 1].top - bands[at].bottom) at = i;
    TexelBox& first = bands[at];
    const TexelBox& second = bands[at + 1];
    first.left = std::min(first.left, second.left);
    first.right = std::max(first.right, second.right);
    first.bottom = second.bottom;
    bands.erase(bands.begin() + static_cast<std::ptrdiff_t>(at) + 1);
}

}  // namespace

PictureExaminer::PictureExaminer(uint32_t width, uint32_t height) {
    facts_.width = width;
    facts_.height = height;
    opaque_ = width > 0 && height > 0;
}

void PictureExaminer::AddRows(const unsigned char* rgba, uint32_t rows) {
    const uint32_t width = facts_.width;
    for (uint32_t r = 0; r < rows && rgba; ++r, ++nextRow_) {
        const uint32_t y = nextRow_;
        const unsigned char* row = rgba + static_cast<std::size_t>(r) * width * 4;
        uint32_t first = width, last = 0;
        for (uint32_t x = 0; x < width; ++x) {
            const unsigned char alpha = row[x * 4 + 3];
            if (alpha != 255) opaque_ = false;
            if (alpha == 0) continue;
            if (first == width) first = x;
            last = x + 1;
        }
        if (first == width) continue;  // a fully transparent row
        if (!bands_.empty() && y - bands_.back().bottom < kMinGap) {
            TexelBox& band = bands_.back();
            band.left = std::min(band.left, first);
            band.right = std::max(band.right, last);
            band.bottom = y + 1;
        } else {
            bands_.push_back(TexelBox{first, y, last, y + 1});
        }
    }
}

PictureFacts PictureExaminer::Facts() {
    PictureFacts facts = facts_;
    facts.opaque = opaque_ && nextRow_ == facts.height;
    while (bands_.size() > static_cast<std::size_t>(PictureFacts::kMaxBands)) MergeNarrowestGap(bands_);
    for (const TexelBox& band : bands_) {
        if (facts.bandCount == 0) facts.visible = band;
        facts.visible.left = std::min(facts.visible.left, band.left);
        facts.visible.right = std::max(facts.visible.right, band.right);
        facts.visible.bottom = band.bottom;
        facts.bands[facts.bandCount++] = band;
    }
    return facts;
}

PictureFacts ExaminePicture(const unsigned char* rgba, uint32_t width, uint32_t height) {
    PictureExaminer examiner(width, height);
    if (rgba) examiner.AddRows(rgba, height);
    return examiner.Facts();
}
