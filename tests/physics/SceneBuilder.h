#pragma once
// Builds small scene files in code for the physics tests.
#include <string>
#include <vector>

class SceneBuilder {
public:
    // Adds an object; returns its id (its index in the file).
    int Object(const std::string& name, unsigned layer = 1, bool active = true, const std::string& tag = "") {
        objects_.push_back("[\"" + name + "\", " + (active ? "1" : "0") + ", \"" + tag + "\", " +
                           std::to_string(layer) + "]");
        return static_cast<int>(objects_.size()) - 1;
    }
    // Adds a component of class cls for object id with extra JSON members ("" for none).
    SceneBuilder& Add(int id, const std::string& cls, const std::string& members = "") {
        std::string c = "{\"class\": \"" + cls + "\", \"gameObjectID\": " + std::to_string(id);
        if (!members.empty()) c += ", " + members;
        components_.push_back(c + "}");
        return *this;
    }
    SceneBuilder& At(int id, float x, float y, float rotation = 0.0f) {
        return Add(id, "Transform", "\"position\": {\"x\": " + Num(x) + ", \"y\": " + Num(y) + ", \"z\": 0}, \"rotation\": " +
                                        Num(rotation));
    }
    SceneBuilder& Box(int id, float w, float h, bool isStatic) {
        return Add(id, "BoxCollider",
                   "\"width\": " + Num(w) + ", \"height\": " + Num(h) + ", \"isStatic\": " + (isStatic ? "1" : "0"));
    }
    SceneBuilder& Circle(int id, float r) { return Add(id, "CircleCollider", "\"radius\": " + Num(r)); }
    SceneBuilder& Body(int id, bool kinematic = false, bool gravity = true) {
        return Add(id, "RigidBody", std::string("\"isKinematic\": ") + (kinematic ? "1" : "0") +
                                        ", \"useGravity\": " + (gravity ? "1" : "0"));
    }
    // A static flat box with its centre at (x, y).
    int Floor(const std::string& name, float x, float y, float w, float h, unsigned layer = 1) {
        const int id = Object(name, layer);
        At(id, x, y).Box(id, w, h, true);
        return id;
    }
    // A moving circle body.
    int Ball(const std::string& name, float x, float y, float r, unsigned layer = 1) {
        const int id = Object(name, layer);
        At(id, x, y).Circle(id, r).Body(id);
        return id;
    }

    std::string Json() const {
        std::string s = "{\"GameObjects\": [";
        for (std::size_t i = 0; i < objects_.size(); ++i) s += (i ? ", " : "") + objects_[i];
        s += "], \"Components\": [";
        for (std::size_t i = 0; i < components_.size(); ++i) s += (i ? ",\n" : "") + components_[i];
        return s + "], \"Dialogue\": []}";
    }

    static std::string Num(float v) { return std::to_string(v); }

private:
    std::vector<std::string> objects_;
    std::vector<std::string> components_;
};
