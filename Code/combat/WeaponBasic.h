#pragma once
namespace Combat {
class WeaponBasic {
public:
    virtual ~WeaponBasic() = default;
    float cooldown = 1.0f;
    float timeSinceLastCast = 0.0f;
};
}  // namespace Combat
