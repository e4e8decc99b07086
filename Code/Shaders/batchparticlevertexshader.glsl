#version 430 core
// Particles drawn many to a call: every vertex carries its particle's model matrix and
// opacity, which the one-particle program takes as uniforms. Same arithmetic.
layout(location = 0) in vec4 vertex;
layout(location = 1) in mat4 transform;
layout(location = 5) in float alpha;

uniform mat4 projection;

out vec2 particleCoord;
flat out float particleAlpha;

void main() {
    gl_Position = projection * transform * vec4(vertex.xy, 0.0, 1.0);
    particleCoord = vertex.zw;
    particleAlpha = alpha;
}
