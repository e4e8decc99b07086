#pragma once
// One particle: a plain record kept in fixed arrays inside the emitters. The particle
// pass reads only texture, position, size, alpha and rotation.
#include <cstdint>

struct Particle {
    bool active = false;
    uint32_t texture = 0;  // GL name; 0 draws nothing
    float age = 0.0f;
    float lifetime = 0.0f;
    float positionX = 0.0f;  // world pixels of the top-left corner (also the rotation pivot)
    float positionY = 0.0f;
    float width = 0.0f;  // drawn size in pixels
    float height = 0.0f;
    float red = 1.0f;
    float green = 1.0f;
    float blue = 1.0f;
    float alpha = 1.0f;     // 1 = opaque
    float rotation = 0.0f;  // degrees
    float phaseA = 0.0f;
    float phaseB = 0.0f;
    float velocityX = 0.0f;
    float velocityY = 0.0f;
};
