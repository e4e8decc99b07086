#pragma once
// The GLFW window behind the opaque platform::Window, for the platform layer itself and
// for tests that look at the real window. Nothing above the platform layer includes it.
struct GLFWwindow;

namespace platform {

struct Window;
GLFWwindow* NativeWindow(Window* window);

}  // namespace platform
