#include "graphics/ShaderProgram.h"

#include <utility>

#include "graphics/GlFunctions.h"
#include "platform/Files.h"
#include "platform/MessageBox.h"

namespace {

constexpr int kLogBytes = 512;

// Compiles one stage; on failure fills `log` and deletes the shader (returns 0).
GLuint Compile(const GLFunctions& gl, GLenum kind, const std::string& source, std::string& log) {
    const GLuint shader = gl.glCreateShader(kind);
    const char* text = source.c_str();
    gl.glShaderSource(shader, 1, &text, nullptr);
    gl.glCompileShader(shader);
    GLint ok = 0;
    gl.glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (ok) return shader;
    char buffer[kLogBytes] = {};
    gl.glGetShaderInfoLog(shader, kLogBytes, nullptr, buffer);
    log = buffer;
    gl.glDeleteShader(shader);
    return 0;
}

}  // namespace

bool ReadShaderFile(const std::string& path, std::string& text) {
    constexpr std::size_t kMaxBytes = 1u << 20;
    return platform::ReadRegularFile(path, kMaxBytes, text);
}

bool CreateShaderProgram(const GLFunctions& gl, uint32_t& program, const std::string& vertexPath,
                         const std::string& fragmentPath) {
    std::string vertexSource, fragmentSource;
    for (const auto& [path, source] : {std::pair{&vertexPath, &vertexSource}, std::pair{&fragmentPath, &fragmentSource}}) {
        if (!ReadShaderFile(*path, *source)) {
            platform::ShowMessageBox("SHADER", "Shader file could not be read", *path);
            return false;
        }
    }
    std::string log;
    const GLuint fragment = Compile(gl, GL_FRAGMENT_SHADER, fragmentSource, log);
    if (!fragment) {
        platform::ShowMessageBox("SHADER", log);
        return false;
    }
    const GLuint vertex = Compile(gl, GL_VERTEX_SHADER, vertexSource, log);
    if (!vertex) {
        gl.glDeleteShader(fragment);
        platform::ShowMessageBox("SHADER", "Vertex Shader compile failed!\n" + log);
        return false;
    }
    const GLuint built = gl.glCreateProgram();
    gl.glAttachShader(built, vertex);
    gl.glAttachShader(built, fragment);
    gl.glLinkProgram(built);
    gl.glDeleteShader(vertex);
    gl.glDeleteShader(fragment);
    GLint linked = 0;
    gl.glGetProgramiv(built, GL_LINK_STATUS, &linked);
    if (!linked) {
        char buffer[kLogBytes] = {};
        gl.glGetProgramInfoLog(built, kLogBytes, nullptr, buffer);
        gl.glDeleteProgram(built);
        platform::ShowMessageBox("SHADER", buffer);
        return false;
    }
    program = built;
    return true;
}
