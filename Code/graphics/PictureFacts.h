#pragma once
// What the drawing needs to know about a picture's pixels, found once when it is decoded:
// whether every pixel is opaque, and the box around the pixels that are not fully
// transparent (pixels outside it can never change the screen).
#include <cstdint>

struct PictureFacts {
    bool opaque = false;  // every alpha is 255
    // The visible box in texels, right and bottom exclusive; an empty box (left == right)
    // means no pixel is visible at all.
    uint32_t left = 0, top = 0, right = 0, bottom = 0;
    uint32_t width = 0, height = 0;

    bool Invisible() const { return left >= right || top >= bottom; }
};

// Reads 8-bit RGBA rows (top row first).
PictureFacts ExaminePicture(const unsigned char* rgba, uint32_t width, uint32_t height);
