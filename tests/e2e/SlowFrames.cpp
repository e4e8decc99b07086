// Preloaded into the game by slow_tap.sh: every frame waits a quarter of a second before
// its buffer swap, so the real game plays as on a very slow machine. Prints one line to
// stderr on the first frame, so the test knows the frames really were slowed.
#include <dlfcn.h>

#include <chrono>
#include <cstdio>
#include <thread>

struct GLFWwindow;

extern "C" void glfwSwapBuffers(GLFWwindow* window) {
    using Swap = void (*)(GLFWwindow*);
    static const Swap real = [] {
        std::fputs("slow frames: every frame takes 250 ms\n", stderr);
        return reinterpret_cast<Swap>(dlsym(RTLD_NEXT, "glfwSwapBuffers"));
    }();
    std::this_thread::sleep_for(std::chrono::milliseconds(250));
    if (real) real(window);
}
