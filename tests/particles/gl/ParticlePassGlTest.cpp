// Under a real (virtual) display: an emitter's particles drawn by the particle pass and
// read back, with their rotation about the top-left corner, their alpha and the camera
// shift. Skipped only when there is no display.
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "EngineHarness.h"
#include "combat/CombatUnit.h"
#include "gameobjectengine/Transform.h"
#include "graphics/Camera.h"
#include "graphics/GlFunctions.h"
#include "graphics/GraphicsEngine.h"
#include "graphics/GraphicsTestSupport.h"
#include "particles/BossParticleEmitter.h"
#include "physics/PhysicsManager.h"

namespace {

GLFWwindow* gWindow = nullptr;
bool gStarted = false;

class ParticlePassGlTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (!std::getenv("DISPLAY") || gWindow || !glfwInit()) return;
        glfwDefaultWindowHints();
        glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 4);
        glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 5);
        glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_COMPAT_PROFILE);
        glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
        gWindow = glfwCreateWindow(1920, 1080, "harrowvale-particle-test", nullptr, nullptr);
        if (!gWindow) return;
        glfwMakeContextCurrent(gWindow);
        gStarted = GraphicsEngine::GetInstance().Init();
    }

    void SetUp() override {
        if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display";
        ASSERT_NE(gWindow, nullptr) << "no GL 4.5 compatibility window";
        ASSERT_TRUE(gStarted) << "GraphicsEngine::Init failed";
        harness.LoadSceneText(R"({"GameObjects": [], "Components": [], "Dialogue": []})");
    }

    // Green channel of pixel (x, y), y down from the top of the 1920 x 1080 screen.
    static int Green(int x, int y) {
        unsigned char p[4] = {};
        glReadBuffer(GL_BACK);
        glReadPixels(x, 1079 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, p);
        return p[1];
    }

    EngineHarness harness;
};

TEST_F(ParticlePassGlTest, SummoningCirclesShowTurnedAboutTheirCornerFadedAndShiftedByTheCamera) {
    GameObject* boss = SceneManager::GetInstance().CreateGameObject("Boss", true);
    boss->AddComponent<Transform>(true);
    boss->AddComponent<Combat::CombatUnit>(true);
    auto* emitter = boss->AddComponent<BossParticleEmitter>(true);
    emitter->Awake();
    emitter->Start();
    const std::string green = harness.WriteTempFile("", ".png");
    ASSERT_TRUE(WriteSolidPng(green, 4, 4, 0x00ff00ff));
    emitter->circleTexture = GraphicsEngine::GetInstance().LoadTexture(green).id;
    ASSERT_NE(emitter->circleTexture, 0u);

    GameObject* cameraObject = SceneManager::GetInstance().CreateGameObject("Camera", true);
    cameraObject->AddComponent<Transform>(true)->x = 100.0f;
    PhysicsManager::GetInstance().SetMainCamera(cameraObject->AddComponent<Camera>(true));

    emitter->SpawnSummonEffect(1100.0f, 300.0f);  // 200 x 200 turned by 90 degrees
    emitter->SpawnSummonEffect(1600.0f, 300.0f);
    emitter->circles[1].particle.alpha = 0.5f;
    for (int frame = 0; frame < 2; ++frame) {
        emitter->Update();
        GraphicsEngine::GetInstance().DrawFrame();
    }
    // On screen the first circle spans x 800-1000 (turned to the left of its corner at
    // 1000 after the camera shift) and y 300-500.
    EXPECT_GT(Green(900, 400), 240);
    EXPECT_GT(Green(805, 495), 240);
    EXPECT_LT(Green(1005, 400), 10);
    EXPECT_LT(Green(900, 295), 10);
    EXPECT_NEAR(Green(1400, 400), 128, 10);  // the second, half faded
    EXPECT_TRUE(GraphicsEngine::GetInstance().particleQueue.empty());
    PhysicsManager::GetInstance().SetMainCamera(nullptr);
}

}  // namespace
