#pragma once
// The key codes the game's actions use (the Windows virtual-key numbering), and the
// translation from GLFW keys.
namespace vk {
constexpr int Tab = 9;
constexpr int Return = 13;
constexpr int Escape = 27;
constexpr int Space = 32;
constexpr int Left = 37;
constexpr int Up = 38;
constexpr int Right = 39;
constexpr int Down = 40;
constexpr int E = 69;
constexpr int F = 70;
constexpr int G = 71;
constexpr int Q = 81;
constexpr int R = 82;
constexpr int W = 87;
}  // namespace vk

namespace platform {
// The virtual-key code of a GLFW key, or -1 for keys the game does not use.
int VirtualKeyOfGlfwKey(int glfwKey);
}  // namespace platform
