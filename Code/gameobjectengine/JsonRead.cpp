#include "gameobjectengine/JsonRead.h"

#include <cmath>
#include <limits>
#include <utility>
#include <vector>

#include "platform/Files.h"

namespace json {

const JsonValue* Find(const JsonValue& object, const char* key) {
    if (!object.IsObject()) return nullptr;
    auto it = object.FindMember(key);
    return it == object.MemberEnd() ? nullptr : &it->value;
}

const JsonValue* FindArray(const JsonValue& object, const char* key) {
    const JsonValue* value = Find(object, key);
    return (value && value->IsArray()) ? value : nullptr;
}

const JsonValue* FindObject(const JsonValue& object, const char* key) {
    const JsonValue* value = Find(object, key);
    return (value && value->IsObject()) ? value : nullptr;
}

bool Has(const JsonValue& object, const char* key) { return Find(object, key) != nullptr; }

namespace {
template <typename Int>
Int Saturate(double v) {
    if (std::isnan(v)) return 0;
    if (v <= static_cast<double>(std::numeric_limits<Int>::min())) return std::numeric_limits<Int>::min();
    if (v >= static_cast<double>(std::numeric_limits<Int>::max())) return std::numeric_limits<Int>::max();
    return static_cast<Int>(v);
}
}  // namespace

bool AsInt(const JsonValue& value, int32_t& out) {
    if (value.IsInt()) { out = value.GetInt(); return true; }
    if (value.IsBool()) { out = value.GetBool() ? 1 : 0; return true; }
    if (value.IsNumber()) { out = Saturate<int32_t>(value.GetDouble()); return true; }
    return false;
}

bool AsUint(const JsonValue& value, uint32_t& out) {
    if (value.IsUint()) { out = value.GetUint(); return true; }
    if (value.IsBool()) { out = value.GetBool() ? 1u : 0u; return true; }
    if (value.IsInt()) { out = static_cast<uint32_t>(value.GetInt()); return true; }
    if (value.IsNumber()) { out = Saturate<uint32_t>(value.GetDouble()); return true; }
    return false;
}

bool AsFloat(const JsonValue& value, float& out) {
    if (!value.IsNumber()) return false;
    // Out-of-range doubles are clamped first: converting them to float is undefined.
    const double v = value.GetDouble();
    constexpr double kMax = std::numeric_limits<float>::max();
    out = static_cast<float>(v > kMax ? kMax : (v < -kMax ? -kMax : v));
    return true;
}

bool AsFlag(const JsonValue& value, bool& out) {
    if (value.IsBool()) { out = value.GetBool(); return true; }
    if (value.IsNumber()) { out = value.GetDouble() != 0.0; return true; }
    return false;
}

bool AsString(const JsonValue& value, std::string& out) {
    if (!value.IsString()) return false;
    out.assign(value.GetString(), value.GetStringLength());
    return true;
}

namespace {
// The value at key converted by as, or fallback when it is missing or of another kind.
template <typename T>
T ReadWith(const JsonValue& object, const char* key, const T& fallback, bool (*as)(const JsonValue&, T&)) {
    const JsonValue* v = Find(object, key);
    T out{};
    return (v && as(*v, out)) ? out : fallback;
}
}  // namespace

int32_t ReadInt(const JsonValue& object, const char* key, int32_t fallback) {
    return ReadWith(object, key, fallback, AsInt);
}

uint32_t ReadUint(const JsonValue& object, const char* key, uint32_t fallback) {
    return ReadWith(object, key, fallback, AsUint);
}

float ReadFloat(const JsonValue& object, const char* key, float fallback) {
    return ReadWith(object, key, fallback, AsFloat);
}

double ReadDouble(const JsonValue& object, const char* key, double fallback) {
    const JsonValue* v = Find(object, key);
    return (v && v->IsNumber()) ? v->GetDouble() : fallback;
}

bool ReadFlag(const JsonValue& object, const char* key, bool fallback) { return ReadWith(object, key, fallback, AsFlag); }

std::string ReadString(const JsonValue& object, const char* key, const std::string& fallback) {
    return ReadWith(object, key, fallback, AsString);
}

bool ReadFile(const std::string& path, std::string& text) {
    // Our largest scene is a few hundred kilobytes; far more is not one of our files.
    constexpr std::size_t kMaxBytes = 64u << 20;
    return platform::ReadRegularFile(path, kMaxBytes, text) && !text.empty();
}

namespace {

// Our files nest a handful of levels. Anything far deeper is broken data, and code that
// walks values recursively (copies, readers) must never meet it.
constexpr std::size_t kMaxDepth = 128;

bool DeeperThan(const JsonValue& root, std::size_t limit) {
    std::vector<std::pair<const JsonValue*, std::size_t>> pending{{&root, 1}};
    while (!pending.empty()) {
        const auto [value, depth] = pending.back();
        pending.pop_back();
        if (depth > limit) return true;
        if (value->IsArray())
            for (const JsonValue& element : value->GetArray()) pending.emplace_back(&element, depth + 1);
        else if (value->IsObject())
            for (const auto& member : value->GetObject()) pending.emplace_back(&member.value, depth + 1);
    }
    return false;
}

}  // namespace

bool Parse(const std::string& text, JsonDocument& document) {
    // The iterative parser accepts the same documents without recursing per nesting level,
    // so a file of nothing but brackets cannot exhaust the stack.
    document.Parse<rapidjson::kParseIterativeFlag>(text.c_str(), text.size());
    if (document.HasParseError()) return false;
    if (DeeperThan(document, kMaxDepth)) {
        document.SetNull();
        return false;
    }
    return true;
}

}  // namespace json
