#include "save/SaveRecord.h"

#include <bit>
#include <cmath>

#include "scenemanager/SceneTable.h"

namespace {

void PutU32(SaveImage& image, std::size_t at, uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i) image[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

uint32_t GetU32(const uint8_t* bytes, std::size_t at) {
    uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) value |= static_cast<uint32_t>(bytes[at + i]) << (8 * i);
    return value;
}

float UsableVolume(float volume) {
    const bool usable = std::isfinite(volume) && volume >= 0.0f && volume <= 1.0f;
    return usable ? volume : 1.0f;
}

uint32_t UsableScene(uint32_t index) {
    return index < static_cast<uint32_t>(scenes::kSceneCount) ? index : SaveData::kNoProgress;
}

}  // namespace

SaveImage EncodeSave(const SaveData& record) {
    SaveImage image{};
    PutU32(image, 0, record.sceneIndex);
    PutU32(image, 4, std::bit_cast<uint32_t>(record.musicVolume));
    image[8] = record.musicMuted ? 1 : 0;
    for (std::size_t i = 0; i < 3; ++i) image[9 + i] = record.reservedA[i];
    PutU32(image, 12, std::bit_cast<uint32_t>(record.sfxVolume));
    image[16] = record.sfxMuted ? 1 : 0;
    image[17] = record.fullscreen ? 1 : 0;
    image[18] = record.reservedB[0];
    image[19] = record.reservedB[1];
    return image;
}

SaveData DecodeSave(const uint8_t* bytes, std::size_t size) {
    SaveData record;
    if (!bytes) return record;
    // Whether the image holds the bytes [at, at + n) whole.
    auto holds = [size](std::size_t at, std::size_t n) { return size >= at + n; };
    if (holds(0, 4)) record.sceneIndex = UsableScene(GetU32(bytes, 0));
    if (holds(4, 4)) record.musicVolume = UsableVolume(std::bit_cast<float>(GetU32(bytes, 4)));
    if (holds(8, 1)) record.musicMuted = bytes[8] != 0;
    for (std::size_t i = 0; i < 3; ++i)
        if (holds(9 + i, 1)) record.reservedA[i] = bytes[9 + i];
    if (holds(12, 4)) record.sfxVolume = UsableVolume(std::bit_cast<float>(GetU32(bytes, 12)));
    if (holds(16, 1)) record.sfxMuted = bytes[16] != 0;
    if (holds(17, 1)) record.fullscreen = bytes[17] != 0;
    for (std::size_t i = 0; i < 2; ++i)
        if (holds(18 + i, 1)) record.reservedB[i] = bytes[18 + i];
    return record;
}
