#pragma once
// What the drawing needs to know about a picture's pixels, found once when it is decoded:
// whether every pixel is opaque, and where the pixels that are not fully transparent lie
// (pixels elsewhere can never change the screen).
#include <cstdint>
#include <vector>

// A box of texels, right and bottom exclusive.
struct TexelBox {
    uint32_t left = 0, top = 0, right = 0, bottom = 0;
    bool Empty() const { return left >= right || top >= bottom; }
};

struct PictureFacts {
    static constexpr int kMaxBands = 4;

    bool opaque = false;  // every alpha is 255
    uint32_t width = 0, height = 0;
    // The box around every visible pixel (empty: none is visible).
    TexelBox visible;
    // The same pixels in up to kMaxBands boxes of whole rows, top to bottom, split where
    // wide fully transparent stretches of rows lie between them (a frame's top and
    // bottom bars with nothing between are two bands).
    TexelBox bands[kMaxBands];
    int bandCount = 0;

    bool Invisible() const { return visible.Empty(); }
};

// Reads 8-bit RGBA rows (top row first).
PictureFacts ExaminePicture(const unsigned char* rgba, uint32_t width, uint32_t height);

// The same, for a picture that arrives a few rows at a time, top first.
class PictureExaminer {
public:
    PictureExaminer(uint32_t width, uint32_t height);
    void AddRows(const unsigned char* rgba, uint32_t rows);
    PictureFacts Facts();

private:
    PictureFacts facts_;
    bool opaque_ = false;
    uint32_t nextRow_ = 0;
    std::vector<TexelBox> bands_;
};
