#pragma once
// The one game window, on GLFW. Without a window (tests), every call is harmless:
// PumpEvents does nothing and there is nothing to swap.
//
// GLFW forbids destroying a window inside its own callbacks, so a close request only
// reaches the handler; the window is destroyed by DestroyMainWindow after the main loop.
#include <string>

struct GLFWwindow;

namespace platform {

struct WindowDesc {
    int width = 1920;
    int height = 1080;
    std::string title = "harrowvale";
};

// What the window's events feed (the game's "window procedure").
struct WindowHandlers {
    void (*onKey)(int virtualKey, bool down) = nullptr;
    void (*onClose)() = nullptr;
    void (*onResize)(int width, int height) = nullptr;
};

bool InitWindowSystem();
void TerminateWindowSystem();
bool WindowSystemReady();

// Creates the window with an OpenGL 4.5 compatibility context made current.
bool CreateMainWindow(const WindowDesc& desc, const WindowHandlers& handlers);
void DestroyMainWindow();
GLFWwindow* MainWindow();

void ShowMainWindow();
void HideMainWindow();
void SwapMainWindow();
// Handles every waiting window event (keys, close, resize) through the handlers.
void PumpEvents();

// Borderless monitor-sized window (cursor hidden), or a decorated window of the
// given client size centred on the monitor (cursor shown).
void SetMainWindowFullscreen(bool fullscreen, int windowedWidth, int windowedHeight);

}  // namespace platform
