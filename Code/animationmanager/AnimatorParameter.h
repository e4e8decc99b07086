#pragma once
// A named, typed value that gameplay sets and that animation transitions compare.
//
// The value lives in a 4-byte cell whose meaning depends on the parameter's type:
// a bool (the whole cell is 0 or 1), an IEEE float, or a signed 32-bit int. The cell
// stores raw bits and converts with std::bit_cast, so reading it as another type is
// well defined.
#include <bit>
#include <cstdint>
#include <string>

#include "gameobjectengine/JsonRead.h"

namespace ParamType {
constexpr uint32_t Bool = 0;
constexpr uint32_t Float = 1;
constexpr uint32_t Int = 2;
}  // namespace ParamType

class ParamCell {
public:
    ParamCell() = default;

    static ParamCell FromBool(bool on) { return ParamCell(on ? 1u : 0u); }
    static ParamCell FromFloat(float value) { return ParamCell(std::bit_cast<uint32_t>(value)); }
    static ParamCell FromInt(int32_t value) { return ParamCell(std::bit_cast<uint32_t>(value)); }

    bool AsBool() const { return bits_ != 0; }
    float AsFloat() const { return std::bit_cast<float>(bits_); }
    int32_t AsInt() const { return std::bit_cast<int32_t>(bits_); }
    uint32_t Bits() const { return bits_; }

    bool operator==(const ParamCell&) const = default;

private:
    explicit ParamCell(uint32_t bits) : bits_(bits) {}
    uint32_t bits_ = 0;
};

// Reads a data value ("condition", "startData", "endData") in the given parameter type:
// an integer flag for bool (non-zero is 1), any number for float, an integer for int.
// Missing, wrong-typed, or an unknown type: zero.
ParamCell ReadParamCell(const JsonValue& object, const char* key, uint32_t type);

// True when `value` compared with `condition` by the comparison code holds in `type`:
// 0 <, 1 <=, 2 ==, 3 >, 4 >=, 5 !=. Any other code or type never holds; floats follow
// IEEE rules (a NaN satisfies only 5).
bool CompareParamCells(uint32_t type, ParamCell value, int32_t comparison, ParamCell condition);

class AnimatorParameter {
public:
    AnimatorParameter() = default;
    AnimatorParameter(std::string name, uint32_t type, ParamCell value);

    // Builds a parameter from one element of an animator's "params" array. False (and
    // `out` untouched) when the element is not an object, has no string "name", has no
    // type code 0, 1 or 2 in "info", or lacks a well-typed value key for its type.
    static bool FromJson(const JsonValue& element, AnimatorParameter& out);

    // How gameplay sets a parameter: on/off written in the parameter's own type
    // (1 or 0 for bool and int, 1.0 or 0.0 for float).
    void SetBool(bool on);
    // Whether the value is non-zero in its own type (bool set, float != 0, int != 0).
    // An unknown type counts as not set.
    bool IsSet() const;

    std::string name;
    ParamCell value;
    uint32_t type = ParamType::Bool;
};
