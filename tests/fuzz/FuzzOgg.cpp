// An OGG file through the audio layer's decoders: the whole-file one (sound effects)
// and the streaming one (music), with a seek back to the start as loops do.
#include <vector>

#include "FuzzSupport.h"
#include "platform/audio/AudioDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = fuzz::WriteInput(data, size, ".ogg");
    audio::DecodedSample sample;
    audio::DecodeWholeFile(path, sample);
    audio::VorbisDecoder stream;
    if (stream.Open(path) == audio::Result::Ok) {
        std::vector<float> block(2 * 4096);
        for (int i = 0; i < 64 && stream.ReadStereo(block.data(), 4096) > 0; ++i) {
        }
        stream.Seek(0);
        stream.ReadStereo(block.data(), 4096);
    }
    return 0;
}
