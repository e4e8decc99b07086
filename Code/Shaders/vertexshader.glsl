#version 430 core
// Sprite quad: corners at +-1, placed by the model matrix in window pixels.
layout(location = 0) in vec3 position;
layout(location = 1) in vec2 texCoord;

uniform mat4 projection;
uniform mat4 transform;
uniform vec2 scale;
uniform vec2 uvCoords;

out vec2 sampleCoord;

void main() {
    gl_Position = projection * transform * vec4(position, 1.0);
    // The quad's v runs from its lower edge up; pictures are stored top row first, so v
    // is turned around here: the first row of the file is the top of the sprite.
    vec2 upright = vec2(texCoord.x, 1.0 - texCoord.y);
    sampleCoord = (upright + uvCoords) * scale;
}
