#pragma once
// The nineteen scene files, addressed by index. The order is part of the data:
// scene files, portals and the save record name scenes by index.
#include <cstdint>
#include <string>

namespace scenes {

constexpr int32_t kSceneCount = 19;

// The path of scene index, or null outside 0-18.
const char* PathOf(int32_t index);
// The index of a path of the table, or -1.
int32_t IndexOf(const std::string& path);

}  // namespace scenes
