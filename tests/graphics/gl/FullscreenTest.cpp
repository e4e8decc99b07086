// The fullscreen switch on the game's own window under a virtual display (Xvfb has no
// window manager, so sizes and positions are exactly what the game asked for).
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "graphics/GraphicsEngine.h"
#include "platform/NativeWindow.h"
#include "platform/Window.h"

namespace {

class FullscreenTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display";
        ASSERT_TRUE(platform::InitWindowSystem());
        const GLFWvidmode* mode = glfwGetVideoMode(glfwGetPrimaryMonitor());
        ASSERT_NE(mode, nullptr);
        screenWidth = mode->width;
        screenHeight = mode->height;
        previousContext = glfwGetCurrentContext();
        saved = {engine.width, engine.height, engine.fullscreen, engine.initialised};
        // A windowed size smaller than the screen, so that the two modes differ in size.
        engine.width = screenWidth * 2 / 3;
        engine.height = screenHeight * 2 / 3;
        platform::WindowDesc desc;
        desc.width = engine.width;
        desc.height = engine.height;
        ASSERT_TRUE(platform::CreateMainWindow(desc, platform::WindowHandlers{}));
        platform::ShowMainWindow();
        window = platform::NativeWindow(platform::MainWindow());
    }

    void TearDown() override {
        if (!screenWidth) return;  // skipped before anything changed
        if (window) {
            engine.SetFullscreen(false);
            platform::DestroyMainWindow();
        }
        glfwMakeContextCurrent(previousContext);
        engine.width = saved.width;
        engine.height = saved.height;
        engine.fullscreen = saved.fullscreen;
        engine.initialised = saved.initialised;
    }

    void ExpectWindow(int x, int y, int width, int height) {
        int wx = -1, wy = -1, ww = 0, wh = 0;
        glfwGetWindowPos(window, &wx, &wy);
        glfwGetWindowSize(window, &ww, &wh);
        EXPECT_EQ(wx, x);
        EXPECT_EQ(wy, y);
        EXPECT_EQ(ww, width);
        EXPECT_EQ(wh, height);
    }

    struct Saved {
        int width, height;
        bool fullscreen, initialised;
    } saved{};
    GraphicsEngine& engine = GraphicsEngine::GetInstance();
    GLFWwindow* window = nullptr;
    GLFWwindow* previousContext = nullptr;
    int screenWidth = 0, screenHeight = 0;
};

TEST_F(FullscreenTest, SwitchesBorderlessAndBackCentredAndOnlyOnAChange) {
    // The saved settings ask for fullscreen before the window exists; the start-up
    // then switches the freshly opened (windowed) window.
    engine.initialised = true;
    engine.fullscreen = true;
    if (engine.IsFullscreen()) engine.SetFullscreen(true);
    EXPECT_TRUE(engine.IsFullscreen());
    ExpectWindow(0, 0, screenWidth, screenHeight);
    EXPECT_EQ(glfwGetWindowAttrib(window, GLFW_DECORATED), GLFW_FALSE);
    EXPECT_EQ(glfwGetInputMode(window, GLFW_CURSOR), GLFW_CURSOR_HIDDEN);

    // Fullscreen again on a fullscreen window: nothing changes, the cursor is left alone.
    glfwSetInputMode(window, GLFW_CURSOR, GLFW_CURSOR_NORMAL);
    engine.SetFullscreen(true);
    EXPECT_EQ(glfwGetInputMode(window, GLFW_CURSOR), GLFW_CURSOR_NORMAL);
    glfwSetInputMode(window, GLFW_CURSOR, GLFW_CURSOR_HIDDEN);

    engine.SetFullscreen(false);
    EXPECT_FALSE(engine.IsFullscreen());
    ExpectWindow((screenWidth - engine.width) / 2, (screenHeight - engine.height) / 2, engine.width, engine.height);
    EXPECT_EQ(glfwGetWindowAttrib(window, GLFW_DECORATED), GLFW_TRUE);
    EXPECT_EQ(glfwGetInputMode(window, GLFW_CURSOR), GLFW_CURSOR_NORMAL);

    // Windowed again on a windowed window: nothing changes.
    glfwSetInputMode(window, GLFW_CURSOR, GLFW_CURSOR_HIDDEN);
    engine.SetFullscreen(false);
    EXPECT_EQ(glfwGetInputMode(window, GLFW_CURSOR), GLFW_CURSOR_HIDDEN);
    ExpectWindow((screenWidth - engine.width) / 2, (screenHeight - engine.height) / 2, engine.width, engine.height);
}

}  // namespace
