#include "graphics/PlainPng.h"

#include <cstdlib>
#include <cstring>

namespace {

constexpr unsigned char kSignature[8] = {137, 'P', 'N', 'G', '\r', '\n', 26, '\n'};
constexpr std::size_t kChannels = 4;
// zlib cannot expand data by more than about 1032 times: a header promising more rows
// than the compressed data could hold is broken, and nothing is allocated for it.
constexpr std::size_t kMaxInflation = 1100;
// PNG allows sides of 2^31 - 1; no texture is that large, and sizes stay far from overflow.
constexpr unsigned kMaxSide = 1u << 24;

uint32_t ReadBigEndian(const unsigned char* p) {
    return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | uint32_t{p[3]};
}

struct Chunk {
    const unsigned char* type = nullptr;
    const unsigned char* data = nullptr;
    uint32_t length = 0;
    bool Is(const char* name) const { return std::memcmp(type, name, 4) == 0; }
};

// Walks the chunks after the signature, checking each one's length and checksum.
class Chunks {
public:
    Chunks(const unsigned char* file, std::size_t size) : at_(file + 8), end_(file + size) {}
    bool Next(Chunk& chunk) {
        if (end_ - at_ < 12) return false;
        chunk.length = ReadBigEndian(at_);
        if (chunk.length > static_cast<std::size_t>(end_ - at_) - 12) return false;
        chunk.type = at_ + 4;
        chunk.data = at_ + 8;
        const auto crc = static_cast<uint32_t>(crc32(0, chunk.type, chunk.length + 4));
        if (crc != ReadBigEndian(chunk.data + chunk.length)) return false;
        at_ = chunk.data + chunk.length + 4;
        return true;
    }

private:
    const unsigned char* at_;
    const unsigned char* end_;
};

bool PlainHeader(const Chunk& chunk, unsigned& width, unsigned& height) {
    if (!chunk.Is("IHDR") || chunk.length != 13) return false;
    width = ReadBigEndian(chunk.data);
    height = ReadBigEndian(chunk.data + 4);
    const unsigned char* rest = chunk.data + 8;  // depth, colour type, compression, filter, interlace
    return width > 0 && height > 0 && width <= kMaxSide && height <= kMaxSide && rest[0] == 8 && rest[1] == 6 &&
           rest[2] == 0 && rest[3] == 0 && rest[4] == 0;
}

unsigned char Paeth(int left, int up, int upLeft) {
    const int p = left + up - upLeft;
    const int toLeft = p > left ? p - left : left - p;
    const int toUp = p > up ? p - up : up - p;
    const int toUpLeft = p > upLeft ? p - upLeft : upLeft - p;
    if (toLeft <= toUp && toLeft <= toUpLeft) return static_cast<unsigned char>(left);
    return static_cast<unsigned char>(toUp <= toUpLeft ? up : upLeft);
}

// One row: `in` its filtered bytes, `up` the row above's pixels (zeros for the first).
bool UnfilterRow(unsigned char filter, const unsigned char* in, unsigned char* out, const unsigned char* up,
                 std::size_t stride) {
    constexpr std::size_t n = kChannels;
    switch (filter) {
        case 0:
            std::memcpy(out, in, stride);
            return true;
        case 1:
            for (std::size_t i = 0; i < stride; ++i) out[i] = static_cast<unsigned char>(in[i] + (i >= n ? out[i - n] : 0));
            return true;
        case 2:
            for (std::size_t i = 0; i < stride; ++i) out[i] = static_cast<unsigned char>(in[i] + up[i]);
            return true;
        case 3:
            for (std::size_t i = 0; i < stride; ++i)
                out[i] = static_cast<unsigned char>(in[i] + ((i >= n ? out[i - n] : 0) + up[i]) / 2);
            return true;
        case 4:
            for (std::size_t i = 0; i < stride; ++i)
                out[i] = static_cast<unsigned char>(in[i] + Paeth(i >= n ? out[i - n] : 0, up[i], i >= n ? up[i - n] : 0));
            return true;
        default:
            return false;
    }
}

}  // namespace

PlainPngReader::~PlainPngReader() {
    if (streamOpen_) inflateEnd(&stream_);
}

bool PlainPngReader::Open(const unsigned char* file, std::size_t size) {
    if (streamOpen_ || size < 8 || std::memcmp(file, kSignature, 8) != 0) return false;
    Chunks chunks(file, size);
    Chunk chunk;
    if (!chunks.Next(chunk) || !PlainHeader(chunk, width_, height_)) return false;
    std::size_t compressed = 0;
    bool ended = false;
    while (!ended && chunks.Next(chunk)) {
        // Our files hold nothing else; any other chunk, even one a reader may skip, goes
        // to the general decoder, which has its own rules for each.
        if (chunk.Is("IEND")) ended = true;
        else if (!chunk.Is("IDAT")) return false;
        else data_.push_back({chunk.data, chunk.length});
        compressed += chunk.Is("IDAT") ? chunk.length : 0;
    }
    const std::size_t stride = std::size_t{width_} * kChannels;
    if (!ended || data_.empty() || (stride + 1) * height_ / kMaxInflation > compressed) return false;
    if (inflateInit(&stream_) != Z_OK) return false;
    streamOpen_ = true;
    filtered_.resize(stride + 1);
    above_.assign(stride, 0);
    return true;
}

bool PlainPngReader::Inflate(unsigned char* out, std::size_t bytes) {
    stream_.next_out = out;
    stream_.avail_out = static_cast<uInt>(bytes);
    while (stream_.avail_out > 0 && status_ == Z_OK) {
        if (stream_.avail_in == 0) {
            if (nextSpan_ == data_.size()) return false;
            stream_.next_in = const_cast<unsigned char*>(data_[nextSpan_].data);
            stream_.avail_in = data_[nextSpan_++].length;
        }
        status_ = inflate(&stream_, Z_NO_FLUSH);
        if (status_ == Z_BUF_ERROR && stream_.avail_in == 0) status_ = Z_OK;  // wants the next chunk
    }
    return stream_.avail_out == 0 && (status_ == Z_OK || status_ == Z_STREAM_END);
}

bool PlainPngReader::Read(unsigned char* out, unsigned rows) {
    if (!streamOpen_ || rows > height_ - rowsRead_) return false;
    const std::size_t stride = above_.size();
    for (unsigned r = 0; r < rows; ++r, out += stride) {
        if (!Inflate(filtered_.data(), filtered_.size())) return false;
        if (!UnfilterRow(filtered_[0], filtered_.data() + 1, out, above_.data(), stride)) return false;
        std::memcpy(above_.data(), out, stride);
        ++rowsRead_;
    }
    return true;
}

bool PlainPngReader::Finished() {
    if (!streamOpen_ || rowsRead_ != height_) return false;
    // The stream must end here: ask for one byte more and expect its end instead.
    if (status_ == Z_STREAM_END) return true;
    unsigned char extra = 0;
    Inflate(&extra, 1);
    return status_ == Z_STREAM_END && stream_.avail_out == 1;
}

unsigned char* DecodePlainPng(const unsigned char* file, std::size_t size, unsigned& width, unsigned& height) {
    PlainPngReader reader;
    if (!reader.Open(file, size)) return nullptr;
    auto* pixels = static_cast<unsigned char*>(std::malloc(std::size_t{reader.Width()} * kChannels * reader.Height()));
    if (!pixels) return nullptr;
    if (!reader.Read(pixels, reader.Height()) || !reader.Finished()) {
        std::free(pixels);
        return nullptr;
    }
    width = reader.Width();
    height = reader.Height();
    return pixels;
}
