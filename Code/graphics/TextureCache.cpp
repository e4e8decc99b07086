#include "graphics/TextureCache.h"

#include <lodepng.h>

#include "platform/Files.h"
#include "platform/MessageBox.h"

namespace {

// Our largest picture is a few megabytes; a texture side beyond what GL drivers take
// (16384) is not one of ours, and its pixels are never allocated.
constexpr std::size_t kMaxPngBytes = 64u << 20;
constexpr unsigned kMaxSide = 16384;

// Decodes a PNG file into 8-bit RGBA; null, or the error text to show.
const char* DecodePng(const std::string& path, std::vector<unsigned char>& pixels, unsigned& width,
                      unsigned& height) {
    std::string file;
    if (!platform::ReadRegularFile(path, kMaxPngBytes, file)) return lodepng_error_text(78);  // cannot open
    const auto* bytes = reinterpret_cast<const unsigned char*>(file.data());
    lodepng::State state;
    if (const unsigned error = lodepng_inspect(&width, &height, &state, bytes, file.size())) return lodepng_error_text(error);
    if (width > kMaxSide || height > kMaxSide) return "picture too large";
    if (const unsigned error = lodepng::decode(pixels, width, height, bytes, file.size(), LCT_RGBA, 8))
        return lodepng_error_text(error);
    return nullptr;
}

}  // namespace

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
    const char* error = DecodePng(path, pixels_, width, height);
    if (error) {
        // A missing picture is asked for again every time a sprite of it wakes; say so once.
        if (reported_.insert(path).second) {
            platform::ShowMessageBox("GRAPHICS ENGINE", error);
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
