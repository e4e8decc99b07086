#version 430 core
// Sprites drawn many to a call: every vertex carries its sprite's placement, atlas cell,
// opacity and tint, which the one-sprite program takes as uniforms. Same arithmetic.
layout(location = 0) in vec3 position;
layout(location = 1) in vec2 texCoord;
layout(location = 2) in mat4 transform;
layout(location = 6) in vec2 scale;
layout(location = 7) in vec2 uvCoords;
layout(location = 8) in float alphaValue;
layout(location = 9) in vec4 tint;

uniform mat4 projection;

out vec2 sampleCoord;
flat out float spriteAlpha;
flat out vec4 spriteTint;

void main() {
    gl_Position = projection * transform * vec4(position, 1.0);
    vec2 upright = vec2(texCoord.x, 1.0 - texCoord.y);
    sampleCoord = (upright + uvCoords) * scale;
    spriteAlpha = alphaValue;
    spriteTint = tint;
}
