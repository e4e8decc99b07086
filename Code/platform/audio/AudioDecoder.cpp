#include "platform/audio/AudioDecoder.h"

#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cstdio>

#include "platform/Files.h"

namespace audio {

namespace {

OggVorbis_File* Vf(void* p) { return static_cast<OggVorbis_File*>(p); }

// Reads up to `frames` frames from the file's current page; the channel
// pointers stay valid until the next call into libvorbisfile. `channels` is the
// channel count of the stream the frames come from: a chained file may change it
// from one stream to the next.
long ReadPlanar(OggVorbis_File* vf, float*** pcm, size_t frames, int& channels) {
    int section = 0;
    const int want = static_cast<int>(std::min<size_t>(frames, 4096));
    for (int attempt = 0; attempt < 8; ++attempt) {
        long got = ov_read_float(vf, pcm, want, &section);
        if (got == OV_HOLE) continue;  // holes are recoverable gaps: skip them
        const vorbis_info* info = got > 0 ? ov_info(vf, section) : nullptr;
        if (got > 0 && (!info || info->channels < 1)) return 0;
        if (info) channels = info->channels;
        return got;
    }
    return 0;
}

}  // namespace

VorbisDecoder::~VorbisDecoder() { Close(); }

Result VorbisDecoder::Open(const std::string& path) {
    Close();
    FILE* f = platform::OpenRegularFile(path);
    if (!f) return Result::ErrFileNotFound;
    auto* vf = new OggVorbis_File{};
    if (ov_open_callbacks(f, vf, nullptr, 0, OV_CALLBACKS_DEFAULT) != 0) {
        std::fclose(f);  // ov_open leaves the handle to us on failure
        delete vf;
        return Result::ErrBadFormat;
    }
    vorbis_info* info = ov_info(vf, -1);
    const ogg_int64_t total = ov_pcm_total(vf, -1);
    if (!info || info->channels < 1 || info->rate <= 0 || total < 0) {
        ov_clear(vf);
        delete vf;
        return Result::ErrBadFormat;
    }
    file_ = vf;
    channels_ = std::min(info->channels, 2);
    rate_ = static_cast<int>(info->rate);
    length_ = static_cast<uint64_t>(total);
    position_ = 0;
    return Result::Ok;
}

void VorbisDecoder::Close() {
    if (!file_) return;
    ov_clear(Vf(file_));
    delete Vf(file_);
    file_ = nullptr;
    channels_ = rate_ = 0;
    length_ = position_ = 0;
}

bool VorbisDecoder::Seek(uint64_t frame) {
    if (!file_) return false;
    if (frame == position_) return true;
    if (ov_pcm_seek(Vf(file_), static_cast<ogg_int64_t>(frame)) != 0) return false;
    position_ = frame;
    return true;
}

size_t VorbisDecoder::ReadStereo(float* out, size_t frames) {
    if (!file_) return 0;
    size_t done = 0;
    while (done < frames) {
        float** pcm = nullptr;
        int channels = 0;
        const long got = ReadPlanar(Vf(file_), &pcm, frames - done, channels);
        if (got <= 0) break;
        const float* left = pcm[0];
        const float* right = channels > 1 ? pcm[1] : pcm[0];
        for (long i = 0; i < got; ++i) {
            out[(done + i) * 2] = left[i];
            out[(done + i) * 2 + 1] = right[i];
        }
        done += static_cast<size_t>(got);
    }
    position_ += done;
    return done;
}

Result DecodeWholeFile(const std::string& path, DecodedSample& out) {
    VorbisDecoder dec;
    if (Result r = dec.Open(path); r != Result::Ok) return r;
    out.channels = dec.Channels();
    out.rate = dec.Rate();
    out.pcm.assign(dec.LengthFrames() * static_cast<size_t>(out.channels), 0.0f);
    std::vector<float> stereo(4096 * 2);
    uint64_t at = 0;
    while (at < dec.LengthFrames()) {
        const size_t got = dec.ReadStereo(stereo.data(), std::min<uint64_t>(4096, dec.LengthFrames() - at));
        if (got == 0) break;
        for (size_t i = 0; i < got; ++i) {
            if (out.channels == 1) {
                out.pcm[at + i] = stereo[i * 2];
            } else {
                out.pcm[(at + i) * 2] = stereo[i * 2];
                out.pcm[(at + i) * 2 + 1] = stereo[i * 2 + 1];
            }
        }
        at += got;
    }
    // A truncated file keeps what could be decoded.
    out.pcm.resize(at * static_cast<size_t>(out.channels));
    return Result::Ok;
}

}  // namespace audio
