#pragma once
// A 4x4 float matrix in column-major order (m[column * 4 + row]); column 3 holds the
// translation. This is the layout glUniformMatrix4fv takes with transpose false.
struct Matrix4 {
    float m[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

    static Matrix4 Identity() { return Matrix4{}; }
    // Pixels to clip space: x 0..width left to right, y 0..height top to bottom, z -1..1.
    static Matrix4 Ortho(float width, float height);

    float& At(int column, int row) { return m[column * 4 + row]; }
    float At(int column, int row) const { return m[column * 4 + row]; }

    // This matrix multiplied on the right by a translation.
    Matrix4 Translate(float x, float y, float z) const;
    // This matrix multiplied on the right by a rotation of `radians` about the axis
    // (normalised here; a zero axis leaves the matrix unchanged).
    Matrix4 Rotate(float radians, float ax, float ay, float az) const;
    // Multiplies a column by a factor (scaling along that axis).
    Matrix4& ScaleColumn(int column, float factor);

    // Where the point (x, y, z, 1) lands.
    void Apply(float x, float y, float z, float out[4]) const;
};
