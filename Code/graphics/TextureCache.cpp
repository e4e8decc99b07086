#include "graphics/TextureCache.h"

#include <algorithm>
#include <cstdlib>

#include "graphics/PictureDecoder.h"
#include "graphics/PlainPng.h"
#include "platform/Heap.h"
#include "platform/MessageBox.h"

TextureCache::TextureCache() : decodeWorkers_(DecodeWorkersForThisMachine()) {}

TextureCache::~TextureCache() = default;

Texture TextureCache::Cached(const std::string& path, bool* hit) const {
    Texture result;
    const uint32_t* cached = backend_ ? Find(path) : nullptr;
    if (hit) *hit = cached != nullptr;
    if (cached) {
        result.id = *cached;
        result.path = path;
    }
    return result;
}

Texture TextureCache::Load(const std::string& path, bool* hit) {
    Texture result = Cached(path, hit);
    if (!backend_ || result.id != 0) {
        Show(result.id);
        return result;
    }
    // Decoded ahead by the scene load, or here and now: the same decoder either way.
    DecodedPicture picture;
    if (!ahead_ || !ahead_->Take(path, picture)) DecodePicture(path, picture);
    if (picture.error) {
        Report(path, picture.error);
        return result;
    }
    const uint32_t name = Upload(picture, 0);
    if (name == 0) {
        if (picture.error) Report(path, picture.error);
        return result;
    }
    Cache(path, name);
    neverRegistered_.insert(name);
    result.id = name;
    result.width = picture.width;
    result.height = picture.height;
    result.path = path;
    return result;
}

Texture TextureCache::Hold(const std::string& path, bool* hit) {
    Texture result = Cached(path, hit);
    if (!backend_ || result.id != 0) return result;
    HeldPicture held{path, {}};
    unsigned width = 0, height = 0;
    if (const char* error = ReadPicture(path, held.file, width, height)) {
        Report(path, error);
        return result;
    }
    const uint32_t name = backend_->Reserve();
    if (name == 0) return Load(path, hit);
    held_.emplace(name, std::move(held));
    Cache(path, name);
    neverRegistered_.insert(name);
    result.id = name;
    result.width = width;
    result.height = height;
    result.path = path;
    return result;
}

void TextureCache::Realize(uint32_t name) {
    const auto it = held_.find(name);
    if (it == held_.end() || !backend_) return;
    HeldPicture held = std::move(it->second);
    held_.erase(it);
    DecodedPicture picture;
    DecodePictureFile(std::move(held.file), picture);
    if (!picture.error && Upload(picture, name) != 0) return;
    if (picture.error) Report(held.path, picture.error);
    // The name is out and may be drawn: one clear texel, so that it shows nothing.
    static const unsigned char kClear[4] = {0, 0, 0, 0};
    backend_->Allocate(name, 1, 1);
    backend_->FillRows(name, 1, 0, 1, kClear);
    backend_->Describe(name, ExaminePicture(kClear, 1, 1));
}

namespace {

// Pictures go to their textures in strips of about this many bytes.
constexpr std::size_t kStripBytes = 1u << 20;

uint32_t RowsPerStrip(uint32_t width) {
    return static_cast<uint32_t>(std::max<std::size_t>(1, kStripBytes / (std::size_t{width} * 4)));
}

}  // namespace

uint32_t TextureCache::Upload(DecodedPicture& picture, uint32_t name) {
    if (picture.pixels == nullptr && !picture.file.empty()) return Stream(picture, name);
    if (name == 0 && std::size_t{picture.width} * picture.height * 4 < 2 * kStripBytes)
        name = backend_->UploadRgba(picture.pixels.get(), picture.width, picture.height);
    else
        name = UploadInStrips(picture, name);
    if (name != 0) backend_->Describe(name, picture.facts);
    return name;
}

uint32_t TextureCache::UploadInStrips(DecodedPicture& picture, uint32_t name) {
    if (name == 0) name = backend_->Reserve();
    if (name == 0) return backend_->UploadRgba(picture.pixels.get(), picture.width, picture.height);
    // Our copy empties behind the strips, which is all the strips can do: the driver's
    // texture is resident in full as soon as it is allocated.
    backend_->Allocate(name, picture.width, picture.height);
    const std::size_t rowBytes = std::size_t{picture.width} * 4;
    const uint32_t strip = RowsPerStrip(picture.width);
    unsigned char* pixels = picture.pixels.get();
    for (uint32_t row = 0; row < picture.height; row += strip) {
        const uint32_t rows = std::min(strip, picture.height - row);
        backend_->FillRows(name, picture.width, row, rows, pixels + row * rowBytes);
        platform::ReleaseReadPages(pixels, (row + rows) * rowBytes);
    }
    return name;
}

uint32_t TextureCache::Stream(DecodedPicture& picture, uint32_t name) {
    const bool reserved = name != 0;
    if (!reserved) name = backend_->Reserve();
    PlainPngReader reader;
    const auto* file = reinterpret_cast<const unsigned char*>(picture.file.data());
    if (name != 0 && reader.Open(file, picture.file.size())) {
        // The picture is never whole in memory: a strip is read, sent and read over.
        backend_->Allocate(name, picture.width, picture.height);
        const uint32_t strip = RowsPerStrip(picture.width);
        std::vector<unsigned char> rows(std::size_t{strip} * picture.width * 4);
        PictureExaminer examiner(picture.width, picture.height);
        bool sound = true;
        for (uint32_t row = 0; sound && row < picture.height; row += strip) {
            const uint32_t count = std::min(strip, picture.height - row);
            sound = reader.Read(rows.data(), count);
            if (sound) backend_->FillRows(name, picture.width, row, count, rows.data());
            if (sound) examiner.AddRows(rows.data(), count);
        }
        if (sound && reader.Finished()) {
            backend_->Describe(name, examiner.Facts());
            return name;
        }
    }
    // Broken late in its data, or no strips here: the general decoder decodes it whole,
    // or says what is wrong.
    if (name != 0 && !reserved) backend_->Delete(name);
    DecodedPicture whole;
    DecodePictureFile(std::move(picture.file), whole, false);
    picture = std::move(whole);
    return picture.error ? 0 : Upload(picture, reserved ? name : 0);
}

void TextureCache::Report(const std::string& path, const char* error) {
    // A missing picture is asked for again every time a sprite of it wakes; say so once.
    if (!reported_.insert(path).second) return;
    platform::ShowMessageBox("GRAPHICS ENGINE", error);
    platform::ShowMessageBox("FAILED TO LOAD", path);
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
        held_.erase(name);
        it = entries_.erase(it);
    }
}

void TextureCache::Forget() {
    entries_.clear();
    neverRegistered_.clear();
    held_.clear();
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
