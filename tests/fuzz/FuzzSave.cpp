// A save file through the game's reader: whatever it holds decodes to a usable record,
// and that record survives its own round trip.
#include <cstdlib>

#include "FuzzSupport.h"
#include "save/SaveFile.h"
#include "save/SaveRecord.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<uint8_t> bytes;
    if (!savefile::Read(fuzz::WriteInput(data, size, ".dat"), bytes)) return 0;
    const SaveData record = DecodeSave(bytes.data(), bytes.size());
    if (record.sceneIndex > 18 || !(record.musicVolume >= 0.0f && record.musicVolume <= 1.0f) ||
        !(record.sfxVolume >= 0.0f && record.sfxVolume <= 1.0f))
        std::abort();  // the game could not use it
    const SaveImage image = EncodeSave(record);
    if (EncodeSave(DecodeSave(image.data(), image.size())) != image) std::abort();
    return 0;
}
