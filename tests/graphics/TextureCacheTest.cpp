// The texture cache and the sprites' texture loading, over a fake backend: sharing,
// failures (reported once, retried, nothing cached or kept), the release after a scene
// load, and the shut-down engine.
#include <gtest/gtest.h>

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

}  // namespace
