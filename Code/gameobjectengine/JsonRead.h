#pragma once
// Typed readers for scene, prefab and component JSON.
//
// Every reader keeps the given default when the object is not an object, the key is
// missing, or the value has the wrong JSON type, so no file can crash a loader.
// Numbers of any JSON kind are converted to the asked type (saturating, never UB);
// integer flags also accept JSON true/false.
#include <rapidjson/document.h>

#include <cstdint>
#include <string>

using JsonValue = rapidjson::Value;
using JsonDocument = rapidjson::Document;

namespace json {

const JsonValue* Find(const JsonValue& object, const char* key);
const JsonValue* FindArray(const JsonValue& object, const char* key);
const JsonValue* FindObject(const JsonValue& object, const char* key);

bool Has(const JsonValue& object, const char* key);

int32_t ReadInt(const JsonValue& object, const char* key, int32_t fallback);
uint32_t ReadUint(const JsonValue& object, const char* key, uint32_t fallback);
float ReadFloat(const JsonValue& object, const char* key, float fallback);
double ReadDouble(const JsonValue& object, const char* key, double fallback);
// An integer flag: any non-zero number or true is set.
bool ReadFlag(const JsonValue& object, const char* key, bool fallback);
std::string ReadString(const JsonValue& object, const char* key, const std::string& fallback);

// Conversions of one value (for array elements).
bool AsInt(const JsonValue& value, int32_t& out);
bool AsUint(const JsonValue& value, uint32_t& out);
bool AsFloat(const JsonValue& value, float& out);
bool AsFlag(const JsonValue& value, bool& out);
bool AsString(const JsonValue& value, std::string& out);

// Reads a whole file; false when it cannot be opened or is empty.
bool ReadFile(const std::string& path, std::string& text);
// Parses text; false when it is not valid JSON or nests deeper than any of our files
// (128 levels).
bool Parse(const std::string& text, JsonDocument& document);

}  // namespace json
