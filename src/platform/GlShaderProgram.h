#pragma once

#include <epoxy/gl.h>

namespace qv {

// A linked GLSL program from one vertex and one fragment shader.
class GlShaderProgram {
  public:
    // Throws FatalError "ERROR : Create Direct3DDevice" when a stage does not compile or the
    // program does not link; the driver's log goes to standard error.
    GlShaderProgram(const char* vertexSource, const char* fragmentSource);
    ~GlShaderProgram();
    GlShaderProgram(const GlShaderProgram&) = delete;
    GlShaderProgram& operator=(const GlShaderProgram&) = delete;

    void use() const { glUseProgram(program_); }
    // Location of a uniform; -1 (which GL ignores on upload) when the program does not use it.
    GLint uniform(const char* name) const { return glGetUniformLocation(program_, name); }

  private:
    GLuint program_ = 0;
};

} // namespace qv
