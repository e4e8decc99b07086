#pragma once
// The texture cache: one GL texture per PNG path, shared by every user of that file,
// and the release of the textures nothing uses any more after a scene load.
//
// Uploads go through a TextureBackend: the GL one once the graphics engine has
// started, a fake one in tests. Without a backend (no window, or after shutdown)
// every load returns at once with texture 0.
#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "graphics/PictureFacts.h"

// A decoded picture and where its texture lives.
struct Texture {
    uint32_t id = 0;  // 0 = none
    uint32_t width = 0;
    uint32_t height = 0;
    std::string path;
};

class TextureBackend {
public:
    virtual ~TextureBackend() = default;
    // Uploads 8-bit RGBA rows (first row = top of the picture); returns the new name (0 on failure).
    virtual uint32_t UploadRgba(const unsigned char* pixels, uint32_t width, uint32_t height) = 0;
    // Textures filled in strips: a name, storage for a picture of the size, then its
    // rows, top first (8-bit RGBA). Reserve returns 0 when the backend has none of this:
    // pictures then go up whole through UploadRgba, and none is held (TextureCache::Hold).
    virtual uint32_t Reserve() { return 0; }
    virtual void Allocate(uint32_t /*name*/, uint32_t /*width*/, uint32_t /*height*/) {}
    virtual void FillRows(uint32_t /*name*/, uint32_t /*width*/, uint32_t /*firstRow*/, uint32_t /*rows*/,
                          const unsigned char* /*pixels*/) {}
    // Uploads one single-channel glyph bitmap whose rows are `pitch` bytes apart.
    virtual uint32_t UploadGlyph(const unsigned char* rows, int width, int height, int pitch) = 0;
    virtual void Delete(uint32_t name) = 0;
    // What the decoder found in the pixels of a picture just uploaded as `name`.
    virtual void Describe(uint32_t /*name*/, const PictureFacts& /*facts*/) {}
};

class PictureDecodeAhead;
struct DecodedPicture;

class TextureCache {
public:
    TextureCache();
    ~TextureCache();
    TextureCache(const TextureCache&) = delete;
    TextureCache& operator=(const TextureCache&) = delete;

    void SetBackend(TextureBackend* backend) { backend_ = backend; }
    TextureBackend* Backend() const { return backend_; }

    // The cached texture of the path (sizes 0 on a hit: they are not cached), or a new
    // upload. `hit` tells which. A failure returns id 0, uploads nothing, and reports
    // the path once ("GRAPHICS ENGINE" with the decoder's text, then "FAILED TO LOAD");
    // the next request for the path tries again.
    // A held picture (below) is decoded and uploaded here, as it is wanted now.
    Texture Load(const std::string& path, bool* hit = nullptr);
    // As Load, but a picture not cached yet is only read and its header checked: it gets
    // its texture name and size (or fails, reported as Load would) and its pixels are
    // decoded and uploaded when it is first shown (Show) or loaded. For pictures loaded
    // in advance that may never show (a game pad's versions of a picture, the game-over
    // screens): each would otherwise hold a full texture in every level.
    Texture Hold(const std::string& path, bool* hit = nullptr);
    // Before a texture is drawn: a held picture gets its pixels. A body that fails to
    // decode is reported once and shows nothing (one transparent texel).
    void Show(uint32_t name) {
        if (!held_.empty()) Realize(name);
    }
    bool Held(uint32_t name) const { return held_.count(name) != 0; }
    const uint32_t* Find(const std::string& path) const;

    // Starts decoding the pictures of the paths not cached yet on worker threads, so that
    // their Loads (on this thread, in whatever order) only upload them. Results and
    // failures are those a plain Load would have had: the messages still come from Load.
    void DecodeAhead(const std::vector<std::string>& paths);
    // Joins the workers and drops what was decoded ahead and never loaded.
    void EndDecodeAhead();
    // Worker threads for DecodeAhead (0: it does nothing); set from the machine's cores.
    void SetDecodeWorkers(unsigned workers) { decodeWorkers_ = workers; }

    // Inserts the pair; an existing entry for the path stays.
    void Cache(const std::string& path, uint32_t name);

    // Kept by the next release only.
    void MarkUsed(uint32_t name);
    // Kept by every release.
    void PinForever(uint32_t name);
    // Deletes every cached texture that is neither used, pinned nor in `alsoKeep`,
    // then forgets the used set.
    void Release(const std::set<uint32_t>& alsoKeep);
    // Before the next scene's pictures are uploaded: deletes the textures of the pictures
    // the previous call named, and of those uploaded and never marked used since, that
    // `nextScene` does not name, unless used, pinned or in `alsoKeep` (as Release would);
    // the used set stays. Other pictures (sprites' pictures loaded from code, such as the
    // menus every level builds) wait for Release. So the old scene's own pictures are
    // not resident while the new scene's are decoded and uploaded.
    void ReleaseScenePictures(const std::vector<std::string>& nextScene, const std::set<uint32_t>& alsoKeep);
    // Forgets every entry without deleting anything (the context is going away).
    void Forget();

    const std::map<std::string, uint32_t>& Entries() const { return entries_; }
    const std::set<uint32_t>& Used() const { return used_; }
    const std::set<uint32_t>& Pinned() const { return pinned_; }

private:
    // Deletes and forgets the entries, of `only` when given, that are neither used,
    // pinned nor in `keep`.
    void DeleteAllBut(const std::set<uint32_t>& keep, const std::set<std::string>* only = nullptr);
    // The cached texture of the path as Load returns it (id 0 when there is none).
    Texture Cached(const std::string& path, bool* hit) const;
    void Realize(uint32_t name);
    void Report(const std::string& path, const char* error);
    // Gives the picture a texture: `name` when not 0 (reserved), else a new one. Returns
    // the name, or 0 with `picture.error` set.
    uint32_t Upload(DecodedPicture& picture, uint32_t name);
    uint32_t UploadInStrips(DecodedPicture& picture, uint32_t name);
    uint32_t Stream(DecodedPicture& picture, uint32_t name);

    // A picture whose file was read and not yet decoded.
    struct HeldPicture {
        std::string path;
        std::string file;
    };

    TextureBackend* backend_ = nullptr;
    std::map<std::string, uint32_t> entries_;
    std::set<uint32_t> used_;
    std::set<uint32_t> pinned_;
    std::set<std::string> reported_;
    std::set<std::string> scenePictures_;  // named by the scene last announced
    std::set<uint32_t> neverRegistered_;   // uploaded here and never marked used since
    std::unordered_map<uint32_t, HeldPicture> held_;  // by texture name
    std::unique_ptr<PictureDecodeAhead> ahead_;
    unsigned decodeWorkers_ = 0;
};
