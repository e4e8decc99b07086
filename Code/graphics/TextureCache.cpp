#include "graphics/TextureCache.h"

#include <lodepng.h>

#include "platform/MessageBox.h"

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
    pixels_.clear();
    unsigned width = 0, height = 0;
    const unsigned error = lodepng::decode(pixels_, width, height, path, LCT_RGBA, 8);
    if (error != 0) {
        // A missing picture is asked for again every time a sprite of it wakes; say so once.
        if (reported_.insert(path).second) {
            platform::ShowMessageBox("GRAPHICS ENGINE", lodepng_error_text(error));
            platform::ShowMessageBox("FAILED TO LOAD", path);
        }
        return result;
    }
    const uint32_t name = backend_->UploadRgba(pixels_.data(), width, height);
    if (name == 0) return result;
    Cache(path, name);
    result.id = name;
    result.width = width;
    result.height = height;
    result.path = path;
    return result;
}

const uint32_t* TextureCache::Find(const std::string& path) const {
    auto it = entries_.find(path);
    return it == entries_.end() ? nullptr : &it->second;
}

void TextureCache::Cache(const std::string& path, uint32_t name) { entries_.emplace(path, name); }

void TextureCache::MarkUsed(uint32_t name) {
    if (name != 0) used_.insert(name);
}

void TextureCache::PinForever(uint32_t name) {
    if (name != 0) pinned_.insert(name);
}

void TextureCache::Release(const std::set<uint32_t>& alsoKeep) {
    for (auto it = entries_.begin(); it != entries_.end();) {
        const uint32_t name = it->second;
        if (used_.count(name) || pinned_.count(name) || alsoKeep.count(name)) {
            ++it;
            continue;
        }
        if (backend_) backend_->Delete(name);
        it = entries_.erase(it);
    }
    used_.clear();
}

void TextureCache::Forget() { entries_.clear(); }
