#pragma once
// A hidden 1920 x 1080 GL 4.5 compatibility window with the graphics engine started on
// it, made once per test executable (under a display only). Frames are drawn with
// GraphicsEngine::DrawFrame and read back from the back buffer, never swapped.
#include <GLFW/glfw3.h>

#include <cstdlib>

#include "graphics/GraphicsEngine.h"

// True when the window and the graphics engine are up; false without a display.
inline bool OpenHiddenGlWindow() {
    static bool started = [] {
        if (!std::getenv("DISPLAY") || !glfwInit()) return false;
        glfwDefaultWindowHints();
        glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 4);
        glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 5);
        glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_COMPAT_PROFILE);
        glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
        GLFWwindow* window = glfwCreateWindow(1920, 1080, "harrowvale-test", nullptr, nullptr);
        if (!window) return false;
        glfwMakeContextCurrent(window);
        return GraphicsEngine::GetInstance().Init();
    }();
    return started;
}

// For its lifetime the running frames skip their drawing (llvmpipe under the sanitizers
// takes tens of milliseconds a frame); everything else, texture loads included, goes on.
class FramesUndrawn {
public:
    FramesUndrawn() { GraphicsEngine::GetInstance().initialised = false; }
    ~FramesUndrawn() { GraphicsEngine::GetInstance().initialised = true; }
    FramesUndrawn(const FramesUndrawn&) = delete;
    FramesUndrawn& operator=(const FramesUndrawn&) = delete;
};
