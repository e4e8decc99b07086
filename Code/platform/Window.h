#pragma once
// The one game window, on GLFW. Without a window (tests), every call is harmless:
// PumpEvents does nothing and there is nothing to swap.
//
// GLFW forbids destroying a window inside its own callbacks, so a close request only
// reaches the handler; the window is destroyed by DestroyMainWindow after the main loop.
#include <string>

namespace platform {

// The window as the rest of the game sees it: opaque; only the platform layer (and
// platform/NativeWindow.h for tests of the window itself) knows what it is.
struct Window;

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
// Why the window system last failed, in its own words (no display, no context of the
// version asked for...); empty when it has not failed.
const std::string& WindowSystemError();

// Creates the window with an OpenGL 4.5 compatibility context made current.
bool CreateMainWindow(const WindowDesc& desc, const WindowHandlers& handlers);
void DestroyMainWindow();
Window* MainWindow();

// The OpenGL entry point of this name for the current context, or null.
void* GlProcAddress(const char* name);
// The framebuffer size of the window whose context is current; false (sizes untouched)
// when no context is current.
bool CurrentFramebufferSize(int& width, int& height);

void ShowMainWindow();
void HideMainWindow();
void SwapMainWindow();
// Handles every waiting window event (keys, close, resize) through the handlers.
void PumpEvents();

// Borderless monitor-sized window (cursor hidden), or a decorated window of the
// given client size centred on the monitor (cursor shown). The monitor is the one the
// window mostly covers (the primary monitor when it covers none).
void SetMainWindowFullscreen(bool fullscreen, int windowedWidth, int windowedHeight);

struct ScreenRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};
// Index of the monitor that shares the largest area with the window (the first of equals),
// or -1 when the window covers none of them.
int MonitorMostlyUnder(const ScreenRect& window, const ScreenRect* monitors, int count);

}  // namespace platform
