#include "graphics/Matrix4.h"

#include <cmath>

Matrix4 Matrix4::Ortho(float width, float height) {
    Matrix4 r;
    for (float& v : r.m) v = 0.0f;
    r.At(0, 0) = 2.0f / width;
    r.At(1, 1) = -2.0f / height;
    r.At(2, 2) = -1.0f;
    r.At(3, 0) = -1.0f;
    r.At(3, 1) = 1.0f;
    r.At(3, 3) = 1.0f;
    return r;
}

Matrix4 Matrix4::Translate(float x, float y, float z) const {
    Matrix4 r = *this;
    for (int row = 0; row < 4; ++row)
        r.At(3, row) = At(0, row) * x + At(1, row) * y + At(2, row) * z + At(3, row);
    return r;
}

Matrix4 Matrix4::Rotate(float radians, float ax, float ay, float az) const {
    const float length = std::sqrt(ax * ax + ay * ay + az * az);
    if (length == 0.0f) return *this;
    const float x = ax / length, y = ay / length, z = az / length;
    const float c = std::cos(radians), s = std::sin(radians), t = 1.0f - c;
    const float rot[3][3] = {
        {t * x * x + c, t * x * y + s * z, t * x * z - s * y},
        {t * x * y - s * z, t * y * y + c, t * y * z + s * x},
        {t * x * z + s * y, t * y * z - s * x, t * z * z + c},
    };
    Matrix4 r = *this;
    for (int column = 0; column < 3; ++column)
        for (int row = 0; row < 4; ++row)
            r.At(column, row) =
                At(0, row) * rot[column][0] + At(1, row) * rot[column][1] + At(2, row) * rot[column][2];
    return r;
}

Matrix4& Matrix4::ScaleColumn(int column, float factor) {
    for (int row = 0; row < 4; ++row) At(column, row) *= factor;
    return *this;
}

void Matrix4::Apply(float x, float y, float z, float out[4]) const {
    for (int row = 0; row < 4; ++row) out[row] = At(0, row) * x + At(1, row) * y + At(2, row) * z + At(3, row);
}
