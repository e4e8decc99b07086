#pragma once
// A reader for the one kind of PNG file the game's art is: 8-bit RGBA, not interlaced.
//
// It hands out the pixels a few rows at a time, holding only the row above, so a large
// picture can go to its texture in strips without ever being in memory whole. (The
// general decoder holds the whole picture twice at its end: its inflated rows beside its
// output. For the final boss's 38 MB sheet that set the peak of its level's load.)
#include <zlib.h>

#include <cstddef>
#include <cstdint>
#include <vector>

class PlainPngReader {
public:
    PlainPngReader() = default;
    ~PlainPngReader();
    PlainPngReader(const PlainPngReader&) = delete;
    PlainPngReader& operator=(const PlainPngReader&) = delete;

    // False when `file` is another kind of PNG, or its chunks or their checksums are
    // broken: the general decoder then decodes it, or says what is wrong in its words.
    // The file must outlive the reader.
    bool Open(const unsigned char* file, std::size_t size);
    unsigned Width() const { return width_; }
    unsigned Height() const { return height_; }
    // The next `rows` rows, top first, into `out` (rows x width x 4 bytes). False if the
    // compressed data or a row's filter is broken, or the rows run past the picture.
    bool Read(unsigned char* out, unsigned rows);
    // Every row read and the compressed data ended exactly after the last.
    bool Finished();

private:
    bool Inflate(unsigned char* out, std::size_t bytes);

    struct Span {
        const unsigned char* data;
        uint32_t length;
    };
    std::vector<Span> data_;  // the IDAT chunks' contents, in order
    std::size_t nextSpan_ = 0;
    z_stream stream_{};
    bool streamOpen_ = false;
    int status_ = Z_OK;
    unsigned width_ = 0, height_ = 0, rowsRead_ = 0;
    std::vector<unsigned char> filtered_;  // one row with its filter byte
    std::vector<unsigned char> above_;     // the last row's pixels
};

// The whole picture in one malloc'd buffer of its size; null when the reader fails.
unsigned char* DecodePlainPng(const unsigned char* file, std::size_t size, unsigned& width, unsigned& height);
