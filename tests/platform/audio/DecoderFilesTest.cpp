// Sound files that are not what they seem: a chained Ogg file whose streams change their
// channel count is read stream by stream with each one's own channel count (reading a mono
// stream's frames as stereo ran past its buffer), and a named pipe, a folder or a device in
// place of a sound is a missing file at once.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <iterator>

#include "OggFixture.h"
#include "platform/audio/AudioDecoder.h"

namespace {

void Append(const std::string& to, const std::string& from) {
    std::ifstream in(from, std::ios::binary);
    std::ofstream(to, std::ios::binary | std::ios::app) << in.rdbuf();
}

TEST(DecoderFiles, ChainedStreamsThatChangeTheirChannelCountStayWithinTheirBuffers) {
    fixture::TempDir dir;
    // Stereo then mono, and mono then stereo. (libvorbisfile starts the decoding of a chained
    // file in its last stream: what is decoded is that stream, within the file's length, and
    // a mono stream plays on both sides.)
    for (const bool stereoFirst : {true, false}) {
        const std::string chained = dir.File(stereoFirst ? "sm.ogg" : "ms.ogg");
        ASSERT_TRUE(fixture::WriteOggTone(dir.File("a.ogg"), 6000, 44100, stereoFirst ? 2 : 1, 440.0f, 0.5f, 1));
        ASSERT_TRUE(fixture::WriteOggTone(dir.File("b.ogg"), 9000, 44100, stereoFirst ? 1 : 2, 440.0f, 0.5f, 2));
        Append(chained, dir.File("a.ogg"));
        Append(chained, dir.File("b.ogg"));
        audio::DecodedSample sample;
        ASSERT_EQ(audio::DecodeWholeFile(chained, sample), audio::Result::Ok);
        EXPECT_GE(sample.Frames(), 6000u);
        EXPECT_LE(sample.Frames(), 15000u);
        EXPECT_EQ(sample.channels, stereoFirst ? 2 : 1);
        if (sample.channels != 2) continue;
        for (uint64_t f = 0; f < sample.Frames(); f += 97) EXPECT_FLOAT_EQ(sample.pcm[f * 2], sample.pcm[f * 2 + 1]);
    }
}

TEST(DecoderFiles, APipeOrAFolderInPlaceOfASoundIsAMissingFile) {
    fixture::TempDir dir;
    ASSERT_EQ(mkfifo(dir.File("pipe.ogg").c_str(), 0600), 0);
    ASSERT_EQ(mkdir(dir.File("folder.ogg").c_str(), 0700), 0);
    for (const std::string& path : {dir.File("pipe.ogg"), dir.File("folder.ogg"), std::string("/dev/zero")}) {
        audio::VorbisDecoder decoder;
        EXPECT_EQ(decoder.Open(path), audio::Result::ErrFileNotFound) << path;
        audio::DecodedSample sample;
        EXPECT_EQ(audio::DecodeWholeFile(path, sample), audio::Result::ErrFileNotFound) << path;
    }
}

}  // namespace
