#pragma once
// The OpenGL entry points newer than 1.1, fetched once by name after the context
// exists. The 1.1 calls (glClear, glTexImage2D, glBegin...) are linked directly.
//
// On Mesa the name look-up never returns null, even for names the driver lacks, so
// start-up also checks the context's version and profile (ContextSupported).
#define GL_GLEXT_PROTOTYPES 0
#include <GL/gl.h>
#include <GL/glext.h>

#include <string>

struct GLFunctions {
    PFNGLVIEWPORTARRAYVPROC glViewportArrayv = nullptr;
    PFNGLVIEWPORTINDEXEDFPROC glViewportIndexedf = nullptr;
    PFNGLGENBUFFERSPROC glGenBuffers = nullptr;
    PFNGLBINDBUFFERPROC glBindBuffer = nullptr;
    PFNGLBUFFERDATAPROC glBufferData = nullptr;
    PFNGLCREATESHADERPROC glCreateShader = nullptr;
    PFNGLSHADERSOURCEPROC glShaderSource = nullptr;
    PFNGLCOMPILESHADERPROC glCompileShader = nullptr;
    PFNGLGETSHADERIVPROC glGetShaderiv = nullptr;
    PFNGLGETSHADERINFOLOGPROC glGetShaderInfoLog = nullptr;
    PFNGLCREATEPROGRAMPROC glCreateProgram = nullptr;
    PFNGLATTACHSHADERPROC glAttachShader = nullptr;
    PFNGLLINKPROGRAMPROC glLinkProgram = nullptr;
    PFNGLUSEPROGRAMPROC glUseProgram = nullptr;
    PFNGLDELETESHADERPROC glDeleteShader = nullptr;
    PFNGLVERTEXATTRIBPOINTERPROC glVertexAttribPointer = nullptr;
    PFNGLENABLEVERTEXATTRIBARRAYPROC glEnableVertexAttribArray = nullptr;
    PFNGLBINDVERTEXARRAYPROC glBindVertexArray = nullptr;
    PFNGLGENVERTEXARRAYSPROC glGenVertexArrays = nullptr;
    PFNGLGETUNIFORMLOCATIONPROC glGetUniformLocation = nullptr;
    PFNGLCOMPRESSEDTEXIMAGE2DPROC glCompressedTexImage2D = nullptr;
    PFNGLGENERATEMIPMAPPROC glGenerateMipmap = nullptr;
    PFNGLFRAMEBUFFERPARAMETERIPROC glFramebufferParameteri = nullptr;
    PFNGLUNIFORM1FPROC glUniform1f = nullptr;
    PFNGLUNIFORM2FPROC glUniform2f = nullptr;
    PFNGLUNIFORM3FPROC glUniform3f = nullptr;
    PFNGLUNIFORM4FPROC glUniform4f = nullptr;
    PFNGLUNIFORM1IPROC glUniform1i = nullptr;
    PFNGLUNIFORMMATRIX4FVPROC glUniformMatrix4fv = nullptr;
    PFNGLBUFFERSUBDATAPROC glBufferSubData = nullptr;
    PFNGLDEBUGMESSAGECALLBACKPROC glDebugMessageCallback = nullptr;
    // Beyond the drawing set: the link check of a program and its clean-up.
    PFNGLGETPROGRAMIVPROC glGetProgramiv = nullptr;
    PFNGLGETPROGRAMINFOLOGPROC glGetProgramInfoLog = nullptr;
    PFNGLDELETEPROGRAMPROC glDeleteProgram = nullptr;
    // Sampler objects: one picture drawn nearest in one place and linear in another.
    PFNGLGENSAMPLERSPROC glGenSamplers = nullptr;
    PFNGLSAMPLERPARAMETERIPROC glSamplerParameteri = nullptr;
    PFNGLBINDSAMPLERPROC glBindSampler = nullptr;
};

// The one table (zero-filled until LoadGLFunctions succeeds).
GLFunctions& GetGLFunctions();

using GLProcLoader = void* (*)(const char* name);

// Fills the table through the loader. False at the first name the loader does not
// know (the table is then left zero-filled).
bool LoadGLFunctions(GLFunctions& table, GLProcLoader loader);

// True when the current context is OpenGL 4.3 or later with the compatibility
// profile (immediate-mode debug lines need it). Reads the version the driver reports.
bool ContextSupported();
// The current context's version and profile against the one needed, for a start-up message.
std::string DescribeContext();
// The same test on a reported version and profile mask (for tests).
bool VersionSupported(int major, int minor, int profileMask);
