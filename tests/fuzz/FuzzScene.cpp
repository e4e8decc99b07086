// A scene file through the loader, the component factory and a few frames.
#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::PlayScene(std::string(reinterpret_cast<const char*>(data), size), 3);
    return 0;
}
