#pragma once
// Ogg Vorbis decoding through libvorbisfile: a streaming decoder that reads
// frames on demand, and a helper that decodes a whole file into memory.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/audio/AudioTypes.h"

namespace audio {

class VorbisDecoder {
public:
    VorbisDecoder() = default;
    ~VorbisDecoder();
    VorbisDecoder(const VorbisDecoder&) = delete;
    VorbisDecoder& operator=(const VorbisDecoder&) = delete;

    Result Open(const std::string& path);
    void Close();
    bool IsOpen() const { return file_ != nullptr; }

    int Channels() const { return channels_; }   // 1 or 2 (more are folded to 2)
    int Rate() const { return rate_; }
    uint64_t LengthFrames() const { return length_; }
    uint64_t Position() const { return position_; }

    // Sample-exact seek; false when the file cannot seek there.
    bool Seek(uint64_t frame);
    // Decodes up to `frames` frames as interleaved stereo; returns the count
    // written (fewer only at the end of the data).
    size_t ReadStereo(float* out, size_t frames);

private:
    void* file_ = nullptr;  // OggVorbis_File, kept out of this header
    int channels_ = 0;
    int rate_ = 0;
    uint64_t length_ = 0;
    uint64_t position_ = 0;
};

// A whole decoded file: interleaved float frames with 1 or 2 channels.
struct DecodedSample {
    int channels = 0;
    int rate = 0;
    std::vector<float> pcm;
    uint64_t Frames() const { return channels ? pcm.size() / static_cast<size_t>(channels) : 0; }
};

Result DecodeWholeFile(const std::string& path, DecodedSample& out);

}  // namespace audio
