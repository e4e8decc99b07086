#pragma once
// Building one GLSL program from a vertex and a fragment source file.
#include <cstdint>
#include <string>

struct GLFunctions;

// Reads both files, compiles the fragment source first, then the vertex source, links
// them and checks the link. On success writes the program name and returns true. On
// failure shows one "SHADER" box ("Shader file could not be read", the fragment log,
// "Vertex Shader compile failed!\n" + the vertex log, or the link log), deletes every
// shader and program object it made, and returns false.
bool CreateShaderProgram(const GLFunctions& gl, uint32_t& program, const std::string& vertexPath,
                         const std::string& fragmentPath);

// Reads a whole text file; false when it cannot be read.
bool ReadShaderFile(const std::string& path, std::string& text);
