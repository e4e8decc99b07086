#include "platform/VirtualKeys.h"

#include <GLFW/glfw3.h>

namespace platform {

int VirtualKeyOfGlfwKey(int key) {
    switch (key) {
        case GLFW_KEY_TAB: return vk::Tab;
        case GLFW_KEY_ENTER:
        case GLFW_KEY_KP_ENTER: return vk::Return;
        case GLFW_KEY_ESCAPE: return vk::Escape;
        case GLFW_KEY_SPACE: return vk::Space;
        case GLFW_KEY_LEFT: return vk::Left;
        case GLFW_KEY_UP: return vk::Up;
        case GLFW_KEY_RIGHT: return vk::Right;
        case GLFW_KEY_DOWN: return vk::Down;
        case GLFW_KEY_E: return vk::E;
        case GLFW_KEY_F: return vk::F;
        case GLFW_KEY_G: return vk::G;
        case GLFW_KEY_Q: return vk::Q;
        case GLFW_KEY_R: return vk::R;
        case GLFW_KEY_W: return vk::W;
        default: return -1;
    }
}

}  // namespace platform
