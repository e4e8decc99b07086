#include "animationmanager/AnimatorParameter.h"

#include <utility>

namespace {

// The cell read from one JSON value, or false when the value has the wrong kind.
bool CellFromValue(const JsonValue& value, uint32_t type, ParamCell& out) {
    switch (type) {
        case ParamType::Bool: {
            bool on = false;
            if (!json::AsFlag(value, on)) return false;
            out = ParamCell::FromBool(on);
            return true;
        }
        case ParamType::Float: {
            float number = 0.0f;
            if (!json::AsFloat(value, number)) return false;
            out = ParamCell::FromFloat(number);
            return true;
        }
        case ParamType::Int: {
            int32_t number = 0;
            if (!json::AsInt(value, number)) return false;
            out = ParamCell::FromInt(number);
            return true;
        }
        default: return false;
    }
}

template <typename T>
bool Compare(T a, int32_t comparison, T b) {
    switch (comparison) {
        case 0: return a < b;
        case 1: return a <= b;
        case 2: return a == b;
        case 3: return a > b;
        case 4: return a >= b;
        case 5: return a != b;
        default: return false;
    }
}

}  // namespace

ParamCell ReadParamCell(const JsonValue& object, const char* key, uint32_t type) {
    ParamCell cell;
    const JsonValue* value = json::Find(object, key);
    if (value && CellFromValue(*value, type, cell)) return cell;
    return ParamCell();
}

bool CompareParamCells(uint32_t type, ParamCell value, int32_t comparison, ParamCell condition) {
    switch (type) {
        case ParamType::Bool:
            return Compare<int32_t>(value.AsBool() ? 1 : 0, comparison, condition.AsBool() ? 1 : 0);
        case ParamType::Float: return Compare<float>(value.AsFloat(), comparison, condition.AsFloat());
        case ParamType::Int: return Compare<int32_t>(value.AsInt(), comparison, condition.AsInt());
        default: return false;
    }
}

AnimatorParameter::AnimatorParameter(std::string paramName, uint32_t paramType, ParamCell initial)
    : name(std::move(paramName)), value(initial), type(paramType) {}

bool AnimatorParameter::FromJson(const JsonValue& element, AnimatorParameter& out) {
    if (!element.IsObject()) return false;
    const JsonValue* info = json::Find(element, "info");
    int32_t code = -1;
    if (!info || !json::AsInt(*info, code)) return false;
    if (code < 0 || code > 2) return false;
    const auto type = static_cast<uint32_t>(code);

    const JsonValue* nameValue = json::Find(element, "name");
    std::string name;
    if (!nameValue || !json::AsString(*nameValue, name)) return false;

    static const char* const kValueKeys[] = {"bool", "float", "int"};
    const JsonValue* raw = json::Find(element, kValueKeys[type]);
    ParamCell cell;
    if (!raw || !CellFromValue(*raw, type, cell)) return false;

    out = AnimatorParameter(std::move(name), type, cell);
    return true;
}

void AnimatorParameter::SetBool(bool on) {
    switch (type) {
        case ParamType::Float: value = ParamCell::FromFloat(on ? 1.0f : 0.0f); break;
        case ParamType::Int: value = ParamCell::FromInt(on ? 1 : 0); break;
        default: value = ParamCell::FromBool(on); break;
    }
}

bool AnimatorParameter::IsSet() const {
    switch (type) {
        case ParamType::Bool: return value.AsBool();
        case ParamType::Float: return value.AsFloat() != 0.0f;
        case ParamType::Int: return value.AsInt() != 0;
        default: return false;
    }
}
