#pragma once
// Test fixtures: small Ogg Vorbis files encoded on the fly with libvorbisenc.
#include <vorbis/vorbisenc.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>

namespace fixture {

// Writes `frames` frames of a sine tone (every channel the same); true on success. Files
// joined into one chained file need streams of different serial numbers.
inline bool WriteOggTone(const std::string& path, uint64_t frames, int rate = 48000, int channels = 1,
                         float frequency = 440.0f, float amplitude = 0.5f, int serial = 1234) {
    FILE* out = std::fopen(path.c_str(), "wb");
    if (!out) return false;
    vorbis_info info;
    vorbis_info_init(&info);
    if (vorbis_encode_init_vbr(&info, channels, rate, 0.4f) != 0) {
        vorbis_info_clear(&info);
        std::fclose(out);
        return false;
    }
    vorbis_comment comment;
    vorbis_comment_init(&comment);
    vorbis_dsp_state dsp;
    vorbis_block block;
    vorbis_analysis_init(&dsp, &info);
    vorbis_block_init(&dsp, &block);
    ogg_stream_state stream;
    ogg_stream_init(&stream, serial);
    ogg_packet header, headerComment, headerCode;
    vorbis_analysis_headerout(&dsp, &comment, &header, &headerComment, &headerCode);
    ogg_stream_packetin(&stream, &header);
    ogg_stream_packetin(&stream, &headerComment);
    ogg_stream_packetin(&stream, &headerCode);
    ogg_page page;
    while (ogg_stream_flush(&stream, &page) != 0) {
        std::fwrite(page.header, 1, static_cast<size_t>(page.header_len), out);
        std::fwrite(page.body, 1, static_cast<size_t>(page.body_len), out);
    }
    const double step = 2.0 * M_PI * frequency / rate;
    uint64_t written = 0;
    bool finished = false;
    while (!finished) {
        const int chunk = static_cast<int>(std::min<uint64_t>(1024, frames - written));
        if (chunk == 0) {
            vorbis_analysis_wrote(&dsp, 0);
        } else {
            float** buffer = vorbis_analysis_buffer(&dsp, chunk);
            for (int i = 0; i < chunk; ++i) {
                const float s = amplitude * static_cast<float>(std::sin(step * static_cast<double>(written + i)));
                for (int c = 0; c < channels; ++c) buffer[c][i] = s;
            }
            vorbis_analysis_wrote(&dsp, chunk);
            written += static_cast<uint64_t>(chunk);
        }
        while (vorbis_analysis_blockout(&dsp, &block) == 1) {
            vorbis_analysis(&block, nullptr);
            vorbis_bitrate_addblock(&block);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&dsp, &packet)) {
                ogg_stream_packetin(&stream, &packet);
                while (ogg_stream_pageout(&stream, &page) != 0) {
                    std::fwrite(page.header, 1, static_cast<size_t>(page.header_len), out);
                    std::fwrite(page.body, 1, static_cast<size_t>(page.body_len), out);
                    if (ogg_page_eos(&page)) finished = true;
                }
            }
        }
        if (chunk == 0) finished = true;
    }
    while (ogg_stream_flush(&stream, &page) != 0) {
        std::fwrite(page.header, 1, static_cast<size_t>(page.header_len), out);
        std::fwrite(page.body, 1, static_cast<size_t>(page.body_len), out);
    }
    ogg_stream_clear(&stream);
    vorbis_block_clear(&block);
    vorbis_dsp_clear(&dsp);
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
    std::fclose(out);
    return true;
}

// A directory of its own under /tmp, removed by the destructor.
class TempDir {
public:
    TempDir() {
        char pattern[] = "/tmp/harrowvale-audio-XXXXXX";
        if (const char* dir = mkdtemp(pattern)) path_ = dir;
    }
    ~TempDir() {
        if (!path_.empty()) std::system(("rm -rf '" + path_ + "'").c_str());
    }
    std::string File(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

}  // namespace fixture
