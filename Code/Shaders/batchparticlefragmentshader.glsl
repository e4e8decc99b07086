#version 430 core
in vec2 particleCoord;
flat in float particleAlpha;

uniform sampler2D image;

out vec4 fragColor;

void main() {
    vec4 texel = texture(image, particleCoord);
    fragColor = vec4(texel.rgb, texel.a * particleAlpha);
}
