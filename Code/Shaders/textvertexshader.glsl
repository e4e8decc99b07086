#version 430 core
// One glyph quad: (x, y) in window pixels, (u, v) with v = 0 at the glyph's top.
layout(location = 0) in vec4 vertex;

uniform mat4 projection;

out vec2 glyphCoord;

void main() {
    gl_Position = projection * vec4(vertex.xy, 0.0, 1.0);
    glyphCoord = vertex.zw;
}
