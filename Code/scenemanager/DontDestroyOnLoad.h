#pragma once
// Keeps its object alive across scene loads, with the textures its sprite draws.
#include "gameobjectengine/Component.h"

class DontDestroyOnLoad : public Component {
public:
    explicit DontDestroyOnLoad(int32_t gameObjectID);
    explicit DontDestroyOnLoad(const JsonValue& json);

    void Awake() override;  // joins the scene manager's persistent set
    void Start() override;  // pins the object's sprite texture across scene loads
};
