#pragma once
// Helpers for the graphics tests: a fake texture backend, PNG files written on the fly,
// a recorder of draw records, and a guard that gives a test a clean graphics engine
// (fake uploads, no built-in particle pass in the list) and restores it afterwards.
#include <lodepng.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "graphics/GraphicsEngine.h"
#include "graphics/Render.h"
#include "graphics/RenderPasses.h"
#include "graphics/TextureCache.h"

class FakeTextureBackend : public TextureBackend {
public:
    uint32_t UploadRgba(const unsigned char*, uint32_t width, uint32_t height) override {
        ++uploads;
        lastWidth = width;
        lastHeight = height;
        const uint32_t name = nextName++;
        live.insert(name);
        return name;
    }
    uint32_t UploadGlyph(const unsigned char*, int, int, int) override { return nextName++; }
    void Delete(uint32_t name) override {
        deleted.push_back(name);
        live.erase(name);
        filled.erase(name);
    }
    // Strips: a texture given storage counts as an upload; its rows are kept.
    uint32_t Reserve() override {
        live.insert(nextName);
        return nextName++;
    }
    void Allocate(uint32_t name, uint32_t width, uint32_t height) override {
        ++uploads;
        lastWidth = width;
        lastHeight = height;
        filled[name].assign(std::size_t{width} * height * 4, 0);
    }
    void FillRows(uint32_t name, uint32_t width, uint32_t firstRow, uint32_t rows, const unsigned char* rgba) override {
        const std::size_t rowBytes = std::size_t{width} * 4;
        std::copy(rgba, rgba + rows * rowBytes, filled[name].begin() + static_cast<std::ptrdiff_t>(firstRow * rowBytes));
    }
    void Describe(uint32_t name, const PictureFacts& picture) override { facts[name] = picture; }

    int uploads = 0;
    uint32_t lastWidth = 0, lastHeight = 0;
    uint32_t nextName = 1000;
    std::set<uint32_t> live;
    std::vector<uint32_t> deleted;
    std::map<uint32_t, std::vector<unsigned char>> filled;  // the pixels of textures filled in strips
    std::map<uint32_t, PictureFacts> facts;
};

struct DrawRecorder : DrawTarget {
    void DrawSpriteQuad(const SpriteDraw& d) override { sprites.push_back(d); }
    void DrawGlyphQuad(const GlyphDraw& d) override { glyphs.push_back(d); }
    void DrawParticleQuad(const ParticleDraw& d) override { particles.push_back(d); }
    std::vector<SpriteDraw> sprites;
    std::vector<GlyphDraw> glyphs;
    std::vector<ParticleDraw> particles;
};

// Writes a width x height RGBA PNG whose every pixel is `rgba`; returns false on failure.
inline bool WriteSolidPng(const std::string& path, unsigned width, unsigned height, uint32_t rgba) {
    std::vector<unsigned char> pixels(static_cast<std::size_t>(width) * height * 4);
    for (std::size_t i = 0; i < pixels.size(); i += 4) {
        pixels[i] = static_cast<unsigned char>(rgba >> 24);
        pixels[i + 1] = static_cast<unsigned char>(rgba >> 16);
        pixels[i + 2] = static_cast<unsigned char>(rgba >> 8);
        pixels[i + 3] = static_cast<unsigned char>(rgba);
    }
    return lodepng::encode(path, pixels, width, height) == 0;
}

class ScopedGraphics {
public:
    ScopedGraphics() : engine_(GraphicsEngine::GetInstance()), saved_(engine_.textures.Backend()) {
        engine_.SetTextureBackend(&fake);
        if (engine_.particlePass) engine_.RemoveRender(engine_.particlePass);
        engine_.particleQueue.clear();
    }
    ~ScopedGraphics() {
        engine_.SetTextureBackend(saved_);
        engine_.RegisterBuiltins();
    }
    ScopedGraphics(const ScopedGraphics&) = delete;
    ScopedGraphics& operator=(const ScopedGraphics&) = delete;

    FakeTextureBackend fake;

private:
    GraphicsEngine& engine_;
    TextureBackend* saved_;
};
