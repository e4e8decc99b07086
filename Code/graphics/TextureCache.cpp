#include "graphics/TextureCache.h"

#include "graphics/PictureDecoder.h"
#include "platform/MessageBox.h"

TextureCache::TextureCache() : decodeWorkers_(DecodeWorkersForThisMachine()) {}

TextureCache::~TextureCache() = default;

Texture TextureCache::Load(const std::string& path, bool* hit) {
    if (hit) *hit = false;
    Texture result;
    if (!backend_) return result;
    if (const uint32_t* cached = Find(path)) {
        if (hit) *hit = true;
        result.id = *cached;
        result.path = path;
        return result;
    }
    // Decoded ahead by the scene load, or here and now: the same decoder either way.
    DecodedPicture picture;
    if (!ahead_ || !ahead_->Take(path, picture)) DecodePicture(path, picture);
    if (const char* error = picture.error) {
        // A missing picture is asked for again every time a sprite of it wakes; say so once.
        if (reported_.insert(path).second) {
            platform::ShowMessageBox("GRAPHICS ENGINE", error);
            platform::ShowMessageBox("FAILED TO LOAD", path);
        }
        return result;
    }
    const uint32_t name = backend_->UploadRgbaConsuming(picture.pixels.get(), picture.width, picture.height);
    if (name == 0) return result;
    backend_->Describe(name, picture.facts);
    Cache(path, name);
    neverRegistered_.insert(name);
    result.id = name;
    result.width = picture.width;
    result.height = picture.height;
    result.path = path;
    return result;
}

const uint32_t* TextureCache::Find(const std::string& path) const {
    auto it = entries_.find(path);
    return it == entries_.end() ? nullptr : &it->second;
}

void TextureCache::Cache(const std::string& path, uint32_t name) { entries_.emplace(path, name); }

void TextureCache::MarkUsed(uint32_t name) {
    if (name == 0) return;
    used_.insert(name);
    neverRegistered_.erase(name);
}

void TextureCache::PinForever(uint32_t name) {
    if (name != 0) pinned_.insert(name);
}

void TextureCache::Release(const std::set<uint32_t>& alsoKeep) {
    DeleteAllBut(alsoKeep);
    used_.clear();
}

void TextureCache::ReleaseScenePictures(const std::vector<std::string>& nextScene,
                                        const std::set<uint32_t>& alsoKeep) {
    std::set<std::string> next(nextScene.begin(), nextScene.end());
    std::set<std::string> leaving;
    for (const std::string& path : scenePictures_)
        if (!next.count(path)) leaving.insert(path);
    // Pictures no sprite ever registered (those of particles, shields, the game-over
    // screens, loaded again by the new scene's own starts) go at the release unless a new
    // sprite shows them first.
    for (const auto& [path, name] : entries_)
        if (neverRegistered_.count(name) && !next.count(path)) leaving.insert(path);
    DeleteAllBut(alsoKeep, &leaving);
    scenePictures_ = std::move(next);
}

void TextureCache::DeleteAllBut(const std::set<uint32_t>& keep, const std::set<std::string>* only) {
    for (auto it = entries_.begin(); it != entries_.end();) {
        const uint32_t name = it->second;
        if ((only && !only->count(it->first)) || used_.count(name) || pinned_.count(name) || keep.count(name)) {
            ++it;
            continue;
        }
        if (backend_) backend_->Delete(name);
        neverRegistered_.erase(name);
        it = entries_.erase(it);
    }
}

void TextureCache::Forget() {
    entries_.clear();
    neverRegistered_.clear();
}

void TextureCache::DecodeAhead(const std::vector<std::string>& paths) {
    if (!backend_ || decodeWorkers_ == 0) return;
    std::vector<std::string> fresh;
    for (const std::string& path : paths)
        if (!Find(path)) fresh.push_back(path);
    if (fresh.empty()) return;
    if (!ahead_) ahead_ = std::make_unique<PictureDecodeAhead>();
    ahead_->Add(fresh, decodeWorkers_);
}

void TextureCache::EndDecodeAhead() {
    if (ahead_) ahead_->Stop();
}
