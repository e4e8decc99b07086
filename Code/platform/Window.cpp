#include "platform/Window.h"

#include <GLFW/glfw3.h>

#include "platform/VirtualKeys.h"

namespace platform {
namespace {

bool gReady = false;
GLFWwindow* gWindow = nullptr;
WindowHandlers gHandlers;

void KeyCallback(GLFWwindow*, int key, int, int action, int) {
    if (action == GLFW_REPEAT || !gHandlers.onKey) return;
    const int virtualKey = VirtualKeyOfGlfwKey(key);
    if (virtualKey >= 0) gHandlers.onKey(virtualKey, action == GLFW_PRESS);
}

void CloseCallback(GLFWwindow* window) {
    // The window stays alive until the main loop has ended.
    glfwSetWindowShouldClose(window, GLFW_FALSE);
    if (gHandlers.onClose) gHandlers.onClose();
}

void ResizeCallback(GLFWwindow*, int width, int height) {
    if (gHandlers.onResize) gHandlers.onResize(width, height);
}

}  // namespace

bool InitWindowSystem() {
    gReady = glfwInit() == GLFW_TRUE;
    return gReady;
}

void TerminateWindowSystem() {
    if (!gReady) return;
    glfwTerminate();
    gReady = false;
}

bool WindowSystemReady() { return gReady; }

bool CreateMainWindow(const WindowDesc& desc, const WindowHandlers& handlers) {
    if (!gReady) return false;
    gHandlers = handlers;
    glfwDefaultWindowHints();
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 4);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 5);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_COMPAT_PROFILE);
    glfwWindowHint(GLFW_DOUBLEBUFFER, GLFW_TRUE);
    glfwWindowHint(GLFW_DEPTH_BITS, 24);
    glfwWindowHint(GLFW_STENCIL_BITS, 8);
    glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
    gWindow = glfwCreateWindow(desc.width, desc.height, desc.title.c_str(), nullptr, nullptr);
    if (!gWindow) return false;
    glfwMakeContextCurrent(gWindow);
    glfwSwapInterval(0);  // the loop runs free; deltaTime is the only time base
    glfwSetKeyCallback(gWindow, KeyCallback);
    glfwSetWindowCloseCallback(gWindow, CloseCallback);
    glfwSetFramebufferSizeCallback(gWindow, ResizeCallback);
    return true;
}

void DestroyMainWindow() {
    if (!gWindow) return;
    glfwDestroyWindow(gWindow);
    gWindow = nullptr;
}

GLFWwindow* MainWindow() { return gWindow; }

void ShowMainWindow() {
    if (gWindow) glfwShowWindow(gWindow);
}

void HideMainWindow() {
    if (gWindow) glfwHideWindow(gWindow);
}

void SwapMainWindow() {
    if (gWindow) glfwSwapBuffers(gWindow);
}

void PumpEvents() {
    if (gWindow) glfwPollEvents();
}

void SetMainWindowFullscreen(bool fullscreen, int windowedWidth, int windowedHeight) {
    if (!gWindow) return;
    GLFWmonitor* monitor = glfwGetPrimaryMonitor();
    const GLFWvidmode* mode = monitor ? glfwGetVideoMode(monitor) : nullptr;
    const int monitorWidth = mode ? mode->width : windowedWidth;
    const int monitorHeight = mode ? mode->height : windowedHeight;
    if (fullscreen) {
        glfwSetWindowAttrib(gWindow, GLFW_DECORATED, GLFW_FALSE);
        glfwSetWindowMonitor(gWindow, nullptr, 0, 0, monitorWidth, monitorHeight, GLFW_DONT_CARE);
        glfwSetInputMode(gWindow, GLFW_CURSOR, GLFW_CURSOR_HIDDEN);
    } else {
        glfwSetWindowAttrib(gWindow, GLFW_DECORATED, GLFW_TRUE);
        glfwSetWindowMonitor(gWindow, nullptr, (monitorWidth - windowedWidth) / 2,
                             (monitorHeight - windowedHeight) / 2, windowedWidth, windowedHeight, GLFW_DONT_CARE);
        glfwSetInputMode(gWindow, GLFW_CURSOR, GLFW_CURSOR_NORMAL);
    }
}

}  // namespace platform
