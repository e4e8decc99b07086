#version 430 core
// Particle quad 0..1 with v = 0 at the top; the model matrix places, turns and sizes it.
layout(location = 0) in vec4 vertex;

uniform mat4 projection;
uniform mat4 transform;

out vec2 particleCoord;

void main() {
    gl_Position = projection * transform * vec4(vertex.xy, 0.0, 1.0);
    particleCoord = vertex.zw;
}
