#version 430 core
in vec2 glyphCoord;

uniform sampler2D text;
uniform vec3 textColor;

out vec4 fragColor;

void main() {
    // The glyph texture holds coverage in its red channel.
    float coverage = texture(text, glyphCoord).r;
    fragColor = vec4(textColor, coverage);
}
