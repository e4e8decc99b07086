#include "gameobjectengine/Transform.h"

Transform::Transform(int32_t id) : Component(id) {}

Transform::Transform(const JsonValue& j) : Component(j) {
    if (json::Has(j, "position")) {
        // A present position starts from 1.0: the members it names overwrite that.
        x = y = z = 1.0f;
        if (const JsonValue* p = json::FindObject(j, "position")) {
            x = json::ReadFloat(*p, "x", x);
            y = json::ReadFloat(*p, "y", y);
            z = json::ReadFloat(*p, "z", z);
        }
    }
    rotation = json::ReadFloat(j, "rotation", 0.0f);
    if (json::Has(j, "scale")) {
        scaleX = scaleY = 1.0f;
        if (const JsonValue* s = json::FindObject(j, "scale")) {
            scaleX = json::ReadFloat(*s, "x", scaleX);
            scaleY = json::ReadFloat(*s, "y", scaleY);
        }
    }
}
