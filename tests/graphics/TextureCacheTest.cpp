// The texture cache and the sprites' texture loading, over a fake backend: sharing,
// failures (reported once, retried, nothing cached or kept), the release after a scene
// load, and the shut-down engine.
#include <gtest/gtest.h>
#include <lodepng.h>
#include <sys/stat.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <tuple>
#include <utility>
#include <vector>

#include "EngineHarness.h"
#include "GraphicsTestSupport.h"
#include "gameobjectengine/InputManager.h"
#include "gameobjectengine/Transform.h"
#include "graphics/SpriteRenderer.h"
#include "platform/MessageBox.h"

namespace {

class TextureCacheTest : public ::testing::Test {
protected:
    GraphicsEngine& engine = GraphicsEngine::GetInstance();
    EngineHarness harness;
    ScopedGraphics graphics;

    std::string Png(unsigned w, unsigned h, uint32_t rgba = 0xff0000ff) {
        const std::string path = harness.WriteTempFile("", ".png");
        EXPECT_TRUE(WriteSolidPng(path, w, h, rgba));
        return path;
    }
    static int CountMessages(const std::string& caption) {
        int n = 0;
        for (const auto& m : platform::ShownMessages())
            if (m.caption == caption) ++n;
        return n;
    }
};

TEST_F(TextureCacheTest, OneUploadPerPathSharedBySprites) {
    const std::string path = Png(8, 4);
    const Texture first = engine.LoadTexture(path);
    EXPECT_NE(first.id, 0u);
    EXPECT_EQ(first.width, 8u);
    EXPECT_EQ(first.height, 4u);
    const Texture second = engine.LoadTexture(path);
    EXPECT_EQ(second.id, first.id);
    EXPECT_EQ(second.width, 0u);  // sizes are not cached
    SpriteRenderer a(-1), b(-1);
    EXPECT_TRUE(a.LoadTexture(path));
    EXPECT_TRUE(b.LoadTexture(path));
    EXPECT_EQ(a.texture, first.id);
    EXPECT_EQ(b.texture, first.id);
    EXPECT_EQ(a.file, path);
    EXPECT_EQ(graphics.fake.uploads, 1);
}

TEST_F(TextureCacheTest, AFailedLoadLeavesTextureZeroReportsOnceAndRetries) {
    const std::string missing = harness.WriteTempFile("not a png", ".png");
    SpriteRenderer sprite(-1);
    sprite.texture = 55;  // whatever it showed before
    sprite.file = "old.png";
    EXPECT_FALSE(sprite.LoadTexture(missing));
    EXPECT_EQ(sprite.texture, 0u);
    EXPECT_EQ(sprite.file, "old.png");
    EXPECT_EQ(engine.FindTexture(missing), nullptr);
    EXPECT_EQ(graphics.fake.uploads, 0);  // no GL name is made for a file that does not decode
    EXPECT_FALSE(sprite.LoadTexture(missing));
    EXPECT_EQ(CountMessages("FAILED TO LOAD"), 1);
    EXPECT_EQ(CountMessages("GRAPHICS ENGINE"), 1);
    // Still retried: once the file is good it loads.
    ASSERT_TRUE(WriteSolidPng(missing, 2, 2, 0x00ff00ff));
    EXPECT_TRUE(sprite.LoadTexture(missing));
    EXPECT_NE(sprite.texture, 0u);
}

TEST_F(TextureCacheTest, JsonSpriteLoadsAtOnceAndControllerPicturesOnlyWhenTheyLoad) {
    const std::string pc = Png(4, 4), ps4 = Png(4, 4, 0x0000ffff);
    const std::string json = R"({"GameObjects": [["Prompt", 1]], "Components": [
        {"class": "Transform", "gameObjectID": 0},
        {"class": "SpriteRenderer", "gameObjectID": 0, "controllerDependent": 1, "ps4file": ")" +
                             ps4 + R"(", "x360file": "missing.png", "file": ")" + pc +
                             R"(", "currX": 3, "currY": 2}], "Dialogue": []})";
    harness.LoadSceneText(json);
    auto* sprite = harness.Get<SpriteRenderer>("Prompt");
    ASSERT_NE(sprite, nullptr);
    EXPECT_NE(sprite->pcTexture, 0u);
    EXPECT_NE(sprite->ps4Texture, 0u);
    EXPECT_EQ(sprite->x360Texture, 0u);  // not the previous load's name
    EXPECT_EQ(sprite->currX, 0.0f);      // reset by Awake
    EXPECT_EQ(sprite->numSprites, 0u);   // JSON default
    EXPECT_EQ(sprite->texture, sprite->pcTexture);
    InputManager::GetInstance().xboxPadPresent = 1;
    sprite->Update();
    EXPECT_EQ(sprite->texture, sprite->pcTexture);  // the Xbox picture is missing: keyboard
    InputManager::GetInstance().wirelessPadPresent = 1;
    sprite->Update();
    EXPECT_EQ(sprite->texture, sprite->ps4Texture);  // PS4 first
    InputManager::GetInstance().wirelessPadPresent = 0;
    InputManager::GetInstance().xboxPadPresent = 0;
}

TEST_F(TextureCacheTest, ReleaseDeletesOnlyWhatNothingUsesOrShows) {
    const std::string oldScene = Png(2, 2), persistent = Png(2, 2), pinned = Png(2, 2), once = Png(2, 2);
    const uint32_t oldName = engine.LoadTexture(oldScene).id;
    const uint32_t pinnedName = engine.LoadTexture(pinned).id;
    const uint32_t onceName = engine.LoadTexture(once).id;
    engine.PinTextureForever(pinnedName);
    engine.PinTexture(onceName);

    // A persistent object's sprite stays listed across loads.
    SpriteRenderer kept(-1);
    kept.owner = nullptr;
    kept.LoadTexture(persistent);
    kept.Awake();
    engine.ReleaseUnusedTextures();  // first load: everything registered since is kept
    engine.ReleaseUnusedTextures();  // second load: only what is pinned or still listed
    EXPECT_EQ(engine.FindTexture(oldScene), nullptr);
    EXPECT_EQ(engine.FindTexture(once), nullptr);
    ASSERT_NE(engine.FindTexture(pinned), nullptr);
    ASSERT_NE(engine.FindTexture(persistent), nullptr);
    EXPECT_EQ(*engine.FindTexture(persistent), kept.texture);
    EXPECT_TRUE(graphics.fake.live.count(kept.texture));
    EXPECT_FALSE(graphics.fake.live.count(oldName));
    EXPECT_FALSE(graphics.fake.live.count(onceName));
    EXPECT_TRUE(graphics.fake.live.count(pinnedName));
    kept.OnDestroy();
}

TEST_F(TextureCacheTest, ALoadDropsTheOldScenesOwnPicturesBeforeTheNewScenesArrive) {
    const std::string own = Png(2, 2), shared = Png(2, 2), menu = Png(2, 2), particle = Png(2, 2), late = Png(2, 2);
    auto load = [&](const std::string& path, bool shownAsSprite) {
        const uint32_t name = engine.LoadTexture(path).id;
        if (shownAsSprite) engine.PinTexture(name);
        return name;
    };
    engine.ReleaseTexturesBefore({own, shared});  // the first scene: nothing of an old one
    const uint32_t ownName = load(own, true), sharedName = load(shared, true), menuName = load(menu, true);
    engine.ReleaseUnusedTextures();  // end of the first load
    const uint32_t particleName = load(particle, false);
    const uint32_t lateName = load(late, true);  // shown during play: the next release keeps it
    const auto live = [&](uint32_t name) { return graphics.fake.live.count(name) == 1; };
    ASSERT_TRUE(live(ownName) && live(particleName));

    engine.ReleaseTexturesBefore({shared, "Assets/Art/Other.png"});
    EXPECT_FALSE(live(ownName));       // the old scene named it, the new one does not
    EXPECT_FALSE(live(particleName));  // no sprite ever showed it: the release would drop it
    EXPECT_EQ(engine.FindTexture(own), nullptr);
    EXPECT_TRUE(live(sharedName) && live(menuName) && live(lateName));

    // The new scene's build shows the shared picture; its release then does the rest.
    engine.PinTexture(sharedName);
    engine.ReleaseUnusedTextures();
    EXPECT_TRUE(live(sharedName) && live(lateName));
    EXPECT_FALSE(live(menuName));
}

TEST_F(TextureCacheTest, AfterShutdownTextureCallsReturnAtOnce) {
    const std::string path = Png(2, 2);
    SpriteRenderer listed(-1);
    listed.owner = nullptr;
    listed.Awake();
    // The headless engine can be shut down and brought back; a started one (the GL
    // tests of this program) only gets the flag.
    if (!engine.initialised) {
        engine.Shutdown();
        EXPECT_TRUE(engine.renderList.empty());
        engine.SetTextureBackend(&graphics.fake);
    } else {
        engine.shutDown = true;
        listed.OnDestroy();
    }
    SpriteRenderer sprite(-1);
    EXPECT_FALSE(sprite.LoadTexture(path));
    EXPECT_EQ(engine.LoadTexture(path).id, 0u);
    engine.Render();
    engine.SetFullscreen(true);
    EXPECT_FALSE(engine.IsFullscreen());
    engine.shutDown = false;
    EXPECT_EQ(graphics.fake.uploads, 0);
}

TEST_F(TextureCacheTest, WithoutAnyBackendNothingIsDecoded) {
    engine.SetTextureBackend(nullptr);
    SpriteRenderer sprite(-1);
    EXPECT_FALSE(sprite.LoadTexture("Assets/Art/Splash/SplashScreen.png"));
    EXPECT_TRUE(platform::ShownMessages().empty());
}

// A PNG of a few bytes whose header declares width x height RGBA pixels.
std::string PngDeclaring(EngineHarness& harness, unsigned width, unsigned height) {
    std::vector<unsigned char> png = {137, 80, 78, 71, 13, 10, 26, 10};
    auto chunk = [&png](const char* type, std::vector<unsigned char> data) {
        const std::size_t at = png.size();
        const auto size = static_cast<unsigned>(data.size());
        png.insert(png.end(), {static_cast<unsigned char>(size >> 24), static_cast<unsigned char>(size >> 16),
                               static_cast<unsigned char>(size >> 8), static_cast<unsigned char>(size)});
        png.insert(png.end(), type, type + 4);
        png.insert(png.end(), data.begin(), data.end());
        png.insert(png.end(), 4, 0);
        lodepng_chunk_generate_crc(&png[at]);
    };
    auto be32 = [](unsigned v) {
        return std::vector<unsigned char>{static_cast<unsigned char>(v >> 24), static_cast<unsigned char>(v >> 16),
                                          static_cast<unsigned char>(v >> 8), static_cast<unsigned char>(v)};
    };
    std::vector<unsigned char> header = be32(width);
    const std::vector<unsigned char> h = be32(height);
    header.insert(header.end(), h.begin(), h.end());
    header.insert(header.end(), {8, 6, 0, 0, 0});  // 8-bit RGBA, no interlace
    chunk("IHDR", header);
    const unsigned char row[64] = {};
    unsigned char* deflated = nullptr;
    std::size_t deflatedSize = 0;
    lodepng_zlib_compress(&deflated, &deflatedSize, row, sizeof row, &lodepng_default_compress_settings);
    chunk("IDAT", std::vector<unsigned char>(deflated, deflated + deflatedSize));
    std::free(deflated);
    chunk("IEND", {});
    return harness.WriteTempFile(std::string(png.begin(), png.end()), ".png");
}

TEST_F(TextureCacheTest, APipeOrAPictureDeclaringEnormousDimensionsIsABrokenFile) {
    const std::string pipe = harness.WriteTempFile("", ".png") + ".pipe.png";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    // 100000 x 100000 RGBA would be 40 GB: refused from the header, never allocated.
    const std::string paths[] = {pipe, PngDeclaring(harness, 100000, 100000)};
    for (const std::string& path : paths) EXPECT_EQ(engine.LoadTexture(path).id, 0u) << path;
    EXPECT_EQ(CountMessages("FAILED TO LOAD"), 2);
    EXPECT_EQ(graphics.fake.uploads, 0);
}

// Uploads as they reach the backend: name, size and a digest of the pixels.
struct UploadLog : FakeTextureBackend {
    uint32_t UploadRgba(const unsigned char* pixels, uint32_t width, uint32_t height) override {
        uint64_t digest = 1469598103934665603ull;
        for (std::size_t i = 0; i < std::size_t{width} * height * 4; ++i) digest = (digest ^ pixels[i]) * 1099511628211ull;
        const uint32_t name = FakeTextureBackend::UploadRgba(pixels, width, height);
        log.emplace_back(name, width, height, digest);
        return name;
    }
    std::vector<std::tuple<uint32_t, uint32_t, uint32_t, uint64_t>> log;
};

TEST_F(TextureCacheTest, PicturesDecodedAheadLoadExactlyAsDecodedOneByOne) {
    std::vector<std::string> queued;
    for (unsigned i = 0; i < 12; ++i) queued.push_back(Png(3 + i * 37, 5 + i * 11, (0x10203040u * (i + 1)) | 0xffu));
    const std::string pipe = harness.WriteTempFile("", ".png") + ".pipe.png";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    const std::string broken = harness.WriteTempFile("\x89PNG and then nothing of a picture", ".png");
    queued.insert(queued.begin() + 3, {pipe + ".missing.png", broken, pipe, PngDeclaring(harness, 20000, 4)});
    // Loaded in another order than queued, one twice, one never queued; the first queued is never loaded.
    std::vector<std::string> loads(queued.rbegin(), queued.rend() - 1);
    loads.push_back(queued[6]);
    loads.push_back(Png(7, 7));

    using Loaded = std::tuple<uint32_t, uint32_t, uint32_t, std::string>;
    using Outcome = std::tuple<std::vector<std::tuple<uint32_t, uint32_t, uint32_t, uint64_t>>, std::vector<Loaded>,
                               std::vector<std::pair<std::string, std::string>>>;
    auto load = [&](unsigned workers) {
        platform::ShownMessages().clear();
        UploadLog backend;
        TextureCache cache;
        cache.SetBackend(&backend);
        cache.SetDecodeWorkers(workers);
        cache.DecodeAhead(queued);
        Outcome outcome;
        for (const std::string& path : loads) {
            const Texture t = cache.Load(path);
            std::get<1>(outcome).emplace_back(t.id, t.width, t.height, t.path);
        }
        cache.EndDecodeAhead();
        std::get<0>(outcome) = backend.log;
        for (const auto& m : platform::ShownMessages()) std::get<2>(outcome).emplace_back(m.caption, m.text);
        return outcome;
    };
    const Outcome oneByOne = load(0);
    EXPECT_EQ(std::get<0>(oneByOne).size(), 12u);  // 11 queued pictures and the unqueued one
    EXPECT_EQ(std::get<2>(oneByOne).size(), 8u);   // the four refused files, each reported once
    for (unsigned workers : {1u, 3u}) EXPECT_TRUE(load(workers) == oneByOne) << workers << " workers";
}

}  // namespace

namespace {

// Detail in every channel and a fully transparent row in every seven; a smooth pattern
// instead of noise for the large picture, which lodepng would take seconds to pack.
std::string EncodedPng(EngineHarness& harness, unsigned w, unsigned h, LodePNGFilterStrategy filter, bool noise) {
    std::vector<unsigned char> rgba(std::size_t{w} * h * 4);
    uint32_t seed = w * 31 + h;
    for (std::size_t i = 0; i < rgba.size(); ++i) {
        const std::size_t x = i / 4 % w, y = i / 4 / w;
        seed = seed * 1664525u + 1013904223u;
        rgba[i] = noise ? static_cast<unsigned char>(seed >> 24) : static_cast<unsigned char>(x / 64 * 37 + y / 64 * 11 + i % 4 * 50);
        if (i % 4 == 3 && y % 7 == 3) rgba[i] = 0;
    }
    lodepng::State state;
    state.encoder.filter_strategy = filter;
    state.encoder.auto_convert = 0;  // 8-bit RGBA, as our art is saved
    std::vector<unsigned char> file;
    EXPECT_EQ(lodepng::encode(file, rgba, w, h, state), 0u);
    return harness.WriteTempFile(std::string(file.begin(), file.end()), ".png");
}

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A byte of the compressed data changed, its chunk's checksum made right again.
std::string CorruptedLate(EngineHarness& harness, const std::string& path) {
    std::string file = ReadAll(path);
    auto* idat = reinterpret_cast<unsigned char*>(&file[file.find("IDAT") - 4]);
    idat[8 + lodepng_chunk_length(idat) * 3 / 4] ^= 0x5a;
    lodepng_chunk_generate_crc(idat);
    return harness.WriteTempFile(file, ".png");
}

// Keeps the pixels of every upload, whole or in strips.
struct PixelKeeper : FakeTextureBackend {
    uint32_t UploadRgba(const unsigned char* rgba, uint32_t width, uint32_t height) override {
        const uint32_t name = FakeTextureBackend::UploadRgba(rgba, width, height);
        filled[name].assign(rgba, rgba + std::size_t{width} * height * 4);
        return name;
    }
};

TEST_F(TextureCacheTest, OurPlainPicturesDecodeWholeOrStreamedExactlyAsTheGeneralDecoder) {
    std::vector<std::string> files;
    for (LodePNGFilterStrategy filter : {LFS_ZERO, LFS_ONE, LFS_TWO, LFS_THREE, LFS_FOUR, LFS_MINSUM})
        for (auto [w, h] : {std::pair{1u, 1u}, {5u, 3u}, {131u, 17u}}) files.push_back(EncodedPng(harness, w, h, filter, true));
    const std::string large = EncodedPng(harness, 2048, 2049, LFS_MINSUM, false);  // 16 MiB and more: streamed
    files.insert(files.end(), {large, EncodedPng(harness, 1024, 600, LFS_FOUR, true), CorruptedLate(harness, large)});
    files.push_back(Png(9, 9));  // lodepng picks a palette: not our plain kind
    const std::string whole = ReadAll(files[5]);
    files.push_back(harness.WriteTempFile(whole.substr(0, whole.size() - 20), ".png"));

    PixelKeeper backend;
    TextureCache cache;
    cache.SetBackend(&backend);
    for (const std::string& path : files) {
        platform::ShownMessages().clear();
        std::vector<unsigned char> expected;
        unsigned w = 0, h = 0;
        const unsigned error = lodepng::decode(expected, w, h, path);
        const Texture t = cache.Load(path);
        if (error != 0) {
            EXPECT_EQ(t.id, 0u) << path;
            ASSERT_FALSE(platform::ShownMessages().empty()) << path;
            EXPECT_EQ(platform::ShownMessages()[0].text, lodepng_error_text(error)) << path;
            continue;
        }
        ASSERT_NE(t.id, 0u) << path;
        EXPECT_TRUE(backend.filled[t.id] == expected) << path << " " << w << " x " << h;
        const PictureFacts want = ExaminePicture(expected.data(), w, h), got = backend.facts[t.id];
        EXPECT_EQ(std::tie(got.opaque, got.visible.left, got.visible.top, got.visible.right, got.visible.bottom, got.bandCount),
                  std::tie(want.opaque, want.visible.left, want.visible.top, want.visible.right, want.visible.bottom, want.bandCount))
            << path;
    }
    EXPECT_EQ(backend.live.size(), files.size() - 2) << "a stream broken late leaves no texture behind";
}

TEST_F(TextureCacheTest, AHeldPictureIsReadNowAndDecodedOnlyWhenShownOrLoaded) {
    const std::string shown = Png(6, 4, 0x00ff00ff), loaded = Png(3, 3), never = Png(5, 5);
    std::string body = ReadAll(EncodedPng(harness, 40, 40, LFS_ZERO, true));
    body[body.find("IDAT") + 20] ^= 0x33;  // the checksum of the chunk no longer holds
    const std::string broken = harness.WriteTempFile(body, ".png");

    graphics.fake.nextName = 50000;  // names no earlier test left used or pinned in the engine's cache
    const Texture held = engine.HoldTexture(shown);
    ASSERT_NE(held.id, 0u);
    EXPECT_EQ(held.width, 6u);
    EXPECT_EQ(held.height, 4u);
    EXPECT_EQ(engine.HoldTexture(shown).id, held.id);
    const uint32_t neverShown = engine.HoldTexture(never).id, loadedLater = engine.HoldTexture(loaded).id;
    EXPECT_EQ(engine.HoldTexture(harness.WriteTempFile("", ".png") + ".missing.png").id, 0u);
    EXPECT_EQ(CountMessages("FAILED TO LOAD"), 1);
    EXPECT_EQ(graphics.fake.uploads, 0);

    GameObject* object = SceneManager::GetInstance().CreateGameObject("Held", true);
    object->AddComponent<Transform>();
    auto* sprite = object->AddComponent<SpriteRenderer>(true);
    sprite->texture = held.id;  // as a pad's picture is picked: no load on the way
    sprite->Awake();
    sprite->Start();
    DrawRecorder frame;
    engine.DrawListTo(frame);
    engine.DrawListTo(frame);
    EXPECT_EQ(graphics.fake.uploads, 1);
    EXPECT_EQ(graphics.fake.lastWidth, 6u);
    EXPECT_EQ(engine.LoadTexture(loaded).id, loadedLater);
    EXPECT_EQ(graphics.fake.uploads, 2);
    EXPECT_TRUE(engine.textures.Held(neverShown));

    // A body broken past its header shows one clear texel and is reported once.
    sprite->texture = engine.HoldTexture(broken).id;
    ASSERT_NE(sprite->texture, 0u);
    platform::ShownMessages().clear();
    engine.DrawListTo(frame);
    engine.DrawListTo(frame);
    EXPECT_EQ(CountMessages("FAILED TO LOAD"), 1);
    EXPECT_EQ(graphics.fake.filled[sprite->texture].size(), 4u);
    EXPECT_TRUE(graphics.fake.facts[sprite->texture].Invisible());

    engine.ReleaseUnusedTextures();
    EXPECT_FALSE(graphics.fake.live.count(neverShown));
    EXPECT_EQ(graphics.fake.uploads, 3) << "the picture never shown was never decoded";
}

}  // namespace
