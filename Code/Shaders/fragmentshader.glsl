#version 430 core
in vec2 sampleCoord;

uniform sampler2D image;
uniform float alphaValue;
uniform vec4 tint;

out vec4 fragColor;

void main() {
    vec4 texel = texture(image, sampleCoord);
    vec3 rgb = mix(texel.rgb, tint.rgb, tint.a);
    fragColor = vec4(rgb, texel.a * alphaValue);
}
