#pragma once
// The GL tests' fixture: one hidden 1920 x 1080 window with a GL 4.5 compatibility
// context shared by every GL test of the binary, the graphics engine started on it, GL
// errors counted as failures, pictures written on the fly and pixels read back.
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>

#include "EngineHarness.h"
#include "../GraphicsTestSupport.h"
#include "gameobjectengine/Transform.h"
#include "graphics/DamageText.h"
#include "graphics/GlFunctions.h"
#include "graphics/GlRenderer.h"
#include "graphics/Particle.h"
#include "graphics/ShaderProgram.h"
#include "graphics/SpriteRenderer.h"
#include "graphics/UIText.h"
#include "physics/Rigidbody.h"
#include "platform/MessageBox.h"

namespace gltest {

inline GLFWwindow* gWindow = nullptr;
inline bool gStarted = false;
inline int gGlErrors = 0;
inline bool gExpectCompileErrors = false;  // shader tests provoke compiler messages on purpose

inline void GLAPIENTRY CountErrors(GLenum, GLenum type, GLuint, GLenum severity, GLsizei, const GLchar* message,
                            const void*) {
    if (gExpectCompileErrors) return;
    if (type == GL_DEBUG_TYPE_ERROR || severity == GL_DEBUG_SEVERITY_HIGH) {
        ++gGlErrors;
        ADD_FAILURE() << "GL: " << message;
    }
}

struct Rgb {
    int r, g, b;
};

class GlRenderTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (!std::getenv("DISPLAY") || gWindow) return;
        if (!glfwInit()) return;
        glfwDefaultWindowHints();
        glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 4);
        glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 5);
        glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_COMPAT_PROFILE);
        glfwWindowHint(GLFW_OPENGL_DEBUG_CONTEXT, GLFW_TRUE);
        glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
        gWindow = glfwCreateWindow(1920, 1080, "harrowvale-gl-test", nullptr, nullptr);
        if (!gWindow) return;
        glfwMakeContextCurrent(gWindow);
        gStarted = GraphicsEngine::GetInstance().Init();
        if (gStarted) {
            glEnable(GL_DEBUG_OUTPUT_SYNCHRONOUS);
            GetGLFunctions().glDebugMessageCallback(&CountErrors, nullptr);
        }
    }

    void SetUp() override {
        if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display";
        ASSERT_NE(gWindow, nullptr) << "no GL 4.5 compatibility window";
        ASSERT_TRUE(gStarted) << "GraphicsEngine::Init failed";
        harness.LoadSceneText(R"({"GameObjects": [], "Components": [], "Dialogue": []})");
        gGlErrors = 0;
    }
    void TearDown() override {
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
        EXPECT_EQ(gGlErrors, 0);
    }

    // A w x h picture of RGBA pixels, each blown up to a k x k block (so that linear
    // filtering inside a block sees one colour).
    std::string Png(unsigned w, unsigned h, const std::vector<uint32_t>& pixels, unsigned k = 1) {
        const std::string path = harness.WriteTempFile("", ".png");
        std::vector<unsigned char> bytes;
        for (unsigned y = 0; y < h * k; ++y)
            for (unsigned x = 0; x < w * k; ++x)
                for (int shift : {24, 16, 8, 0})
                    bytes.push_back(static_cast<unsigned char>(pixels[(y / k) * w + x / k] >> shift));
        EXPECT_EQ(lodepng::encode(path, bytes, w * k, h * k), 0u);
        return path;
    }

    // A w x h picture with detail, so that a sample taken one texel off shows: every
    // channel pseudo-random, OR-ed with `orMask` (0x30: alpha at least 48; 0xff: opaque);
    // the pixels `keep` refuses are fully transparent.
    std::string Noise(unsigned w, unsigned h, uint32_t seed, uint32_t orMask = 0x30u,
                      const std::function<bool(unsigned, unsigned)>& keep = {}) {
        std::vector<uint32_t> px(w * h);
        for (unsigned i = 0; i < px.size(); ++i) {
            px[i] = (seed = seed * 1664525u + 1013904223u) | orMask;
            if (keep && !keep(i % w, i / w)) px[i] &= 0xffffff00u;  // fully transparent, colour kept
        }
        return Png(w, h, px);
    }

    SpriteRenderer* Sprite(const std::string& file, float x, float y, float sx, float sy, int32_t layer = 0) {
        GameObject* object = SceneManager::GetInstance().CreateGameObject("S", true);
        auto* t = object->AddComponent<Transform>();
        t->x = x;
        t->y = y;
        t->scaleX = sx;
        t->scaleY = sy;
        auto* s = object->AddComponent<SpriteRenderer>(true);
        s->file = file;
        s->layer = layer;
        s->Awake();
        s->Start();
        return s;
    }

    // Pixel (x, y) of the frame, y down from the top of the 1920 x 1080 screen.
    static Rgb Pixel(int x, int y) {
        unsigned char p[4] = {};
        glReadBuffer(GL_BACK);
        glReadPixels(x, 1079 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, p);
        return {p[0], p[1], p[2]};
    }
    static bool Near(Rgb c, int r, int g, int b, int tolerance = 8) {
        return std::abs(c.r - r) <= tolerance && std::abs(c.g - g) <= tolerance && std::abs(c.b - b) <= tolerance;
    }

    GraphicsEngine& engine = GraphicsEngine::GetInstance();
    EngineHarness harness;
};

#define EXPECT_RGB(pixel, red, green, blue) \
    EXPECT_TRUE(Near((pixel), (red), (green), (blue))) << (pixel).r << "," << (pixel).g << "," << (pixel).b

inline constexpr uint32_t R = 0xff0000ff, G = 0x00ff00ff, B = 0x0000ffff, W = 0xffffffff;

// A frame read back whole, bottom row first.
inline std::vector<unsigned char> Frame() {
    std::vector<unsigned char> pixels(1920u * 1080u * 4u);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, 1920, 1080, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}


}  // namespace gltest
