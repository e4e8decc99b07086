#include "ContentFiles.h"

#include <algorithm>
#include <filesystem>

#include "scenemanager/SceneTable.h"

namespace content {

namespace {

const JsonValue* Member(const JsonDocument& doc, const char* key) {
    return doc.IsObject() ? json::Find(doc, key) : nullptr;
}

std::unique_ptr<ContentFile> Load(const std::filesystem::path& file, bool prefab) {
    auto f = std::make_unique<ContentFile>();
    f->path = file.generic_string();
    f->prefab = prefab;
    for (int i = 0; i < scenes::kSceneCount; ++i)
        if (!prefab && f->path == scenes::PathOf(i)) f->index = i;
    std::string text;
    f->parsed = json::ReadFile(f->path, text) && json::Parse(text, f->doc) && f->doc.IsObject();
    return f;
}

void LoadFolder(const char* folder, const char* extension, bool prefab,
                std::vector<std::unique_ptr<ContentFile>>& into) {
    std::vector<std::filesystem::path> paths;
    if (!std::filesystem::is_directory(folder)) return;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.path().extension() == extension) paths.push_back(std::filesystem::path(folder) / entry.path().filename());
    std::sort(paths.begin(), paths.end());
    for (const auto& p : paths) into.push_back(Load(p, prefab));
}

}  // namespace

const JsonValue* ContentFile::Objects() const {
    const JsonValue* v = Member(doc, prefab ? "GameObject" : "GameObjects");
    return v && v->IsArray() ? v : nullptr;
}

const JsonValue* ContentFile::Components() const {
    const JsonValue* v = Member(doc, "Components");
    return v && v->IsArray() ? v : nullptr;
}

const JsonValue* ContentFile::Dialogue() const {
    const JsonValue* v = Member(doc, "Dialogue");
    return v && v->IsArray() ? v : nullptr;
}

int ContentFile::ObjectCount() const { return Objects() ? static_cast<int>(Objects()->Size()) : 0; }

bool ContentFile::IsObject(int id) const {
    if (id < 0 || id >= ObjectCount()) return false;
    const JsonValue& e = (*Objects())[static_cast<rapidjson::SizeType>(id)];
    return e.IsArray() && e.Size() >= 2 && e[0].IsString();
}

std::string ContentFile::NameOf(int id) const {
    return IsObject(id) ? (*Objects())[static_cast<rapidjson::SizeType>(id)][0].GetString() : "";
}

std::string ContentFile::TagOf(int id) const {
    if (!IsObject(id)) return "";
    const JsonValue& e = (*Objects())[static_cast<rapidjson::SizeType>(id)];
    return e.Size() >= 3 && e[2].IsString() ? e[2].GetString() : "";
}

int ContentFile::Find(const std::string& name) const {
    for (int i = 0; i < ObjectCount(); ++i)
        if (IsObject(i) && NameOf(i) == name) return i;
    return -1;
}

std::vector<const JsonValue*> ContentFile::All(const std::string& className, int id) const {
    std::vector<const JsonValue*> out;
    if (!Components()) return out;
    for (const JsonValue& c : Components()->GetArray())
        if (ClassOf(c) == className && (id < 0 || IdOf(c) == id)) out.push_back(&c);
    return out;
}

const JsonValue* ContentFile::First(const std::string& className, int id) const {
    auto all = All(className, id);
    return all.empty() ? nullptr : all.front();
}

const JsonValue* ContentFile::On(const std::string& objectName, const std::string& className) const {
    const int id = Find(objectName);
    return id < 0 ? nullptr : First(className, id);
}

const std::vector<std::unique_ptr<ContentFile>>& AllFiles() {
    static const std::vector<std::unique_ptr<ContentFile>> files = [] {
        std::vector<std::unique_ptr<ContentFile>> v;
        LoadFolder("Assets/Scenes", ".scene", false, v);
        LoadFolder("Assets/Prefabs", ".prefab", true, v);
        return v;
    }();
    return files;
}

const ContentFile* SceneAt(int index) {
    for (const auto& f : AllFiles())
        if (f->index == index) return f.get();
    return nullptr;
}

int IdOf(const JsonValue& component) { return json::ReadInt(component, "gameObjectID", 0); }

std::string ClassOf(const JsonValue& component) { return json::ReadString(component, "class", ""); }

}  // namespace content
