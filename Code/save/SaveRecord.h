#pragma once
// The save record and its file image: 20 bytes, little-endian, whatever the machine.
//
//   offset size field        default
//    0     4   sceneIndex   6 (u32; 6 = the first level = no progress)
//    4     4   musicVolume  1.0 (f32)
//    8     1   musicMuted   0
//    9     3   reserved     kept as read
//   12     4   sfxVolume    1.0 (f32)
//   16     1   sfxMuted     0
//   17     1   fullscreen   1
//   18     2   reserved     kept as read
#include <array>
#include <cstddef>
#include <cstdint>

struct SaveData {
    static constexpr std::size_t kBytes = 20;
    static constexpr uint32_t kNoProgress = 6;

    uint32_t sceneIndex = kNoProgress;
    float musicVolume = 1.0f;
    bool musicMuted = false;
    std::array<uint8_t, 3> reservedA{};
    float sfxVolume = 1.0f;
    bool sfxMuted = false;
    bool fullscreen = true;
    std::array<uint8_t, 2> reservedB{};
};

using SaveImage = std::array<uint8_t, SaveData::kBytes>;

// Field by field; flags as 0 or 1, reserved bytes as they are.
SaveImage EncodeSave(const SaveData& record);

// Reads every field whose bytes the image holds whole (a longer image is read as far as
// the record goes); the others keep their defaults. Flags are set by any non-zero byte.
// Values the game cannot use are replaced: a scene index outside the scene table reads
// as 6, a volume that is not a number, infinite, negative or above 1 reads as 1.0.
SaveData DecodeSave(const uint8_t* bytes, std::size_t size);
