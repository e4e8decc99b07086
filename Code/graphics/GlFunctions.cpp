#include "graphics/GlFunctions.h"

#include <string>

namespace {

template <typename Fn>
bool Fetch(Fn& slot, GLProcLoader loader, const char* name) {
    slot = reinterpret_cast<Fn>(loader(name));
    return slot != nullptr;
}

}  // namespace

GLFunctions& GetGLFunctions() {
    static GLFunctions table;
    return table;
}

bool LoadGLFunctions(GLFunctions& gl, GLProcLoader loader) {
    if (!loader) return false;
    GLFunctions t;
    const bool ok = Fetch(t.glViewportArrayv, loader, "glViewportArrayv") &&
                    Fetch(t.glViewportIndexedf, loader, "glViewportIndexedf") &&
                    Fetch(t.glGenBuffers, loader, "glGenBuffers") && Fetch(t.glBindBuffer, loader, "glBindBuffer") &&
                    Fetch(t.glBufferData, loader, "glBufferData") &&
                    Fetch(t.glCreateShader, loader, "glCreateShader") &&
                    Fetch(t.glShaderSource, loader, "glShaderSource") &&
                    Fetch(t.glCompileShader, loader, "glCompileShader") &&
                    Fetch(t.glGetShaderiv, loader, "glGetShaderiv") &&
                    Fetch(t.glGetShaderInfoLog, loader, "glGetShaderInfoLog") &&
                    Fetch(t.glCreateProgram, loader, "glCreateProgram") &&
                    Fetch(t.glAttachShader, loader, "glAttachShader") &&
                    Fetch(t.glLinkProgram, loader, "glLinkProgram") && Fetch(t.glUseProgram, loader, "glUseProgram") &&
                    Fetch(t.glDeleteShader, loader, "glDeleteShader") &&
                    Fetch(t.glVertexAttribPointer, loader, "glVertexAttribPointer") &&
                    // The core name: the ARB alias is not promised by a core-era driver.
                    Fetch(t.glEnableVertexAttribArray, loader, "glEnableVertexAttribArray") &&
                    Fetch(t.glBindVertexArray, loader, "glBindVertexArray") &&
                    Fetch(t.glGenVertexArrays, loader, "glGenVertexArrays") &&
                    Fetch(t.glGetUniformLocation, loader, "glGetUniformLocation") &&
                    Fetch(t.glUniform1f, loader, "glUniform1f") && Fetch(t.glUniform2f, loader, "glUniform2f") &&
                    Fetch(t.glUniform3f, loader, "glUniform3f") && Fetch(t.glUniform4f, loader, "glUniform4f") &&
                    Fetch(t.glUniform1i, loader, "glUniform1i") &&
                    Fetch(t.glUniformMatrix4fv, loader, "glUniformMatrix4fv") &&
                    Fetch(t.glCompressedTexImage2D, loader, "glCompressedTexImage2D") &&
                    Fetch(t.glGenerateMipmap, loader, "glGenerateMipmap") &&
                    Fetch(t.glFramebufferParameteri, loader, "glFramebufferParameteri") &&
                    Fetch(t.glBufferSubData, loader, "glBufferSubData") &&
                    Fetch(t.glDebugMessageCallback, loader, "glDebugMessageCallback") &&
                    Fetch(t.glGetProgramiv, loader, "glGetProgramiv") &&
                    Fetch(t.glGetProgramInfoLog, loader, "glGetProgramInfoLog") &&
                    Fetch(t.glDeleteProgram, loader, "glDeleteProgram") &&
                    Fetch(t.glGenSamplers, loader, "glGenSamplers") &&
                    Fetch(t.glSamplerParameteri, loader, "glSamplerParameteri") &&
                    Fetch(t.glBindSampler, loader, "glBindSampler");
    if (!ok) return false;
    gl = t;
    return true;
}

bool VersionSupported(int major, int minor, int profileMask) {
    if (major < 4 || (major == 4 && minor < 3)) return false;
    // A core-profile context has no immediate mode; compatibility (or a context that
    // reports no profile bits) keeps it.
    return (profileMask & GL_CONTEXT_CORE_PROFILE_BIT) == 0 || (profileMask & GL_CONTEXT_COMPATIBILITY_PROFILE_BIT) != 0;
}

namespace {

struct ContextVersion {
    GLint major = 0, minor = 0, profile = 0;
};

ContextVersion ReadContextVersion() {
    ContextVersion v;
    glGetIntegerv(GL_MAJOR_VERSION, &v.major);
    glGetIntegerv(GL_MINOR_VERSION, &v.minor);
    glGetIntegerv(GL_CONTEXT_PROFILE_MASK, &v.profile);
    // An old driver flags the queries it does not know; without a context the error may
    // never clear, so the drain is bounded.
    for (int i = 0; i < 8 && glGetError() != GL_NO_ERROR; ++i) {
    }
    return v;
}

}  // namespace

bool ContextSupported() {
    const ContextVersion v = ReadContextVersion();
    return VersionSupported(v.major, v.minor, v.profile);
}

std::string DescribeContext() {
    const ContextVersion v = ReadContextVersion();
    const bool core = (v.profile & GL_CONTEXT_CORE_PROFILE_BIT) != 0;
    return "OpenGL " + std::to_string(v.major) + "." + std::to_string(v.minor) + (core ? " core" : "") +
           " found, 4.3 compatibility or later needed";
}
