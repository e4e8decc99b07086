#include "platform/Window.h"

#include <GLFW/glfw3.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/NativeWindow.h"
#include "platform/VirtualKeys.h"

namespace platform {
namespace {

bool gReady = false;
// Set by SIGTERM and SIGINT; the next event pump turns it into a close request, so a
// terminal's Ctrl+C or a session's shutdown ends the game as its window's close does.
volatile std::sig_atomic_t gQuitSignal = 0;
GLFWwindow* gWindow = nullptr;
WindowHandlers gHandlers;

void KeyCallback(GLFWwindow*, int key, int, int action, int) {
    if (!gHandlers.onKey) return;
    const int virtualKey = VirtualKeyOfGlfwKey(key);
    // Auto-repeat counts as another key-down, so a key pressed while input was off
    // (during a scene change) registers once input is back on and it is still held.
    if (virtualKey >= 0) gHandlers.onKey(virtualKey, action != GLFW_RELEASE);
}

void CloseCallback(GLFWwindow* window) {
    // The window stays alive until the main loop has ended.
    glfwSetWindowShouldClose(window, GLFW_FALSE);
    if (gHandlers.onClose) gHandlers.onClose();
}

void ResizeCallback(GLFWwindow*, int width, int height) {
    if (gHandlers.onResize) gHandlers.onResize(width, height);
}

// The window system's own reason for its latest failure. Until the window exists it is kept
// for the start-up message that names the failed step; afterwards each is said on stderr.
std::string gLastError;

void ErrorCallback(int code, const char* description) {
    gLastError = description ? description : "error " + std::to_string(code);
    if (gWindow) {
        std::fprintf(stderr, "GLFW: %s\n", gLastError.c_str());
        std::fflush(stderr);
    }
}

void OnQuitSignal(int) { gQuitSignal = 1; }

void CatchQuitSignals() {
    struct sigaction action = {};
    action.sa_handler = OnQuitSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}

}  // namespace

bool InitWindowSystem() {
    CatchQuitSignals();
    glfwSetErrorCallback(ErrorCallback);
    gReady = glfwInit() == GLFW_TRUE;
    return gReady;
}

void TerminateWindowSystem() {
    if (!gReady) return;
    glfwTerminate();
    gReady = false;
}

bool WindowSystemReady() { return gReady; }

const std::string& WindowSystemError() { return gLastError; }

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
    gLastError.clear();
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

Window* MainWindow() { return reinterpret_cast<Window*>(gWindow); }

GLFWwindow* NativeWindow(Window* window) { return reinterpret_cast<GLFWwindow*>(window); }

void* GlProcAddress(const char* name) { return reinterpret_cast<void*>(glfwGetProcAddress(name)); }

bool CurrentFramebufferSize(int& width, int& height) {
    GLFWwindow* window = glfwGetCurrentContext();
    if (!window) return false;
    glfwGetFramebufferSize(window, &width, &height);
    return true;
}

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
    if (gQuitSignal) {
        gQuitSignal = 0;
        if (gHandlers.onClose) gHandlers.onClose();
    }
}

int MonitorMostlyUnder(const ScreenRect& window, const ScreenRect* monitors, int count) {
    int best = -1;
    long long bestArea = 0;
    for (int i = 0; i < count; ++i) {
        const ScreenRect& m = monitors[i];
        // In 64 bits: positions plus sizes of odd desktops must not overflow.
        const long long w = std::min<long long>(0LL + window.x + window.width, 0LL + m.x + m.width) -
                            std::max<long long>(window.x, m.x);
        const long long h = std::min<long long>(0LL + window.y + window.height, 0LL + m.y + m.height) -
                            std::max<long long>(window.y, m.y);
        if (w <= 0 || h <= 0) continue;
        if (w * h > bestArea) {
            bestArea = w * h;
            best = i;
        }
    }
    return best;
}

namespace {

struct MonitorArea {
    int x = 0;
    int y = 0;
    const GLFWvidmode* mode = nullptr;
};

// The monitor the window mostly covers, else the primary one.
MonitorArea MonitorOfMainWindow() {
    ScreenRect window;
    glfwGetWindowPos(gWindow, &window.x, &window.y);
    glfwGetWindowSize(gWindow, &window.width, &window.height);
    int count = 0;
    GLFWmonitor** monitors = glfwGetMonitors(&count);
    std::vector<ScreenRect> areas;
    std::vector<GLFWmonitor*> candidates;
    for (int i = 0; monitors && i < count; ++i) {
        const GLFWvidmode* mode = glfwGetVideoMode(monitors[i]);
        if (!mode) continue;
        ScreenRect area;
        glfwGetMonitorPos(monitors[i], &area.x, &area.y);
        area.width = mode->width;
        area.height = mode->height;
        areas.push_back(area);
        candidates.push_back(monitors[i]);
    }
    const int index = MonitorMostlyUnder(window, areas.data(), static_cast<int>(areas.size()));
    GLFWmonitor* chosen = index >= 0 ? candidates[static_cast<std::size_t>(index)] : glfwGetPrimaryMonitor();
    MonitorArea result;
    if (!chosen) return result;
    glfwGetMonitorPos(chosen, &result.x, &result.y);
    result.mode = glfwGetVideoMode(chosen);
    return result;
}

}  // namespace

void SetMainWindowFullscreen(bool fullscreen, int windowedWidth, int windowedHeight) {
    if (!gWindow) return;
    const MonitorArea monitor = MonitorOfMainWindow();
    const int monitorWidth = monitor.mode ? monitor.mode->width : windowedWidth;
    const int monitorHeight = monitor.mode ? monitor.mode->height : windowedHeight;
    if (fullscreen) {
        glfwSetWindowAttrib(gWindow, GLFW_DECORATED, GLFW_FALSE);
        glfwSetWindowMonitor(gWindow, nullptr, monitor.x, monitor.y, monitorWidth, monitorHeight, GLFW_DONT_CARE);
        glfwSetInputMode(gWindow, GLFW_CURSOR, GLFW_CURSOR_HIDDEN);
    } else {
        glfwSetWindowAttrib(gWindow, GLFW_DECORATED, GLFW_TRUE);
        glfwSetWindowMonitor(gWindow, nullptr, monitor.x + (monitorWidth - windowedWidth) / 2,
                             monitor.y + (monitorHeight - windowedHeight) / 2, windowedWidth, windowedHeight,
                             GLFW_DONT_CARE);
        glfwSetInputMode(gWindow, GLFW_CURSOR, GLFW_CURSOR_NORMAL);
    }
}

}  // namespace platform
