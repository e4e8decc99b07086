#version 430 core
in vec2 sampleCoord;
flat in float spriteAlpha;
flat in vec4 spriteTint;

uniform sampler2D image;

out vec4 fragColor;

void main() {
    vec4 texel = texture(image, sampleCoord);
    vec3 rgb = mix(texel.rgb, spriteTint.rgb, spriteTint.a);
    fragColor = vec4(rgb, texel.a * spriteAlpha);
}
