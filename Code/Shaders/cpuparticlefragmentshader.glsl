#version 430 core
in vec2 particleCoord;

uniform sampler2D image;
uniform float alpha;

out vec4 fragColor;

void main() {
    vec4 texel = texture(image, particleCoord);
    fragColor = vec4(texel.rgb, texel.a * alpha);
}
