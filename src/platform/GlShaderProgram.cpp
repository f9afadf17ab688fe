#include "platform/GlShaderProgram.h"

#include "core/FatalError.h"

#include <cstdio>
#include <string>

namespace qv {

namespace {

constexpr const char* kBuildError = "ERROR : Create Direct3DDevice";

template <typename GetLength, typename GetLog>
void reportLog(GLuint object, GetLength getLength, GetLog getLog) {
    GLint length = 0;
    getLength(object, GL_INFO_LOG_LENGTH, &length);
    std::string log(static_cast<size_t>(length > 0 ? length : 1), '\0');
    getLog(object, static_cast<GLsizei>(log.size()), nullptr, log.data());
    std::fprintf(stderr, "GL shader build failed: %s\n", log.c_str());
}

GLuint compile(GLenum stage, const char* source) {
    GLuint shader = glCreateShader(stage);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    GLint ok = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (ok != GL_TRUE) {
        reportLog(shader, glGetShaderiv, glGetShaderInfoLog);
        glDeleteShader(shader);
        return 0;
    }
    return shader;
}

} // namespace

GlShaderProgram::GlShaderProgram(const char* vertexSource, const char* fragmentSource) {
    GLuint vertex = compile(GL_VERTEX_SHADER, vertexSource);
    GLuint fragment = compile(GL_FRAGMENT_SHADER, fragmentSource);
    GLint linked = GL_FALSE;
    if (vertex != 0 && fragment != 0) {
        program_ = glCreateProgram();
        glAttachShader(program_, vertex);
        glAttachShader(program_, fragment);
        glLinkProgram(program_);
        glGetProgramiv(program_, GL_LINK_STATUS, &linked);
        if (linked != GL_TRUE)
            reportLog(program_, glGetProgramiv, glGetProgramInfoLog);
    }
    // Deleting a zero name is a no-op; attached shaders live on with the program.
    glDeleteShader(vertex);
    glDeleteShader(fragment);
    if (linked != GL_TRUE) {
        glDeleteProgram(program_);
        throw FatalError(kBuildError);
    }
}

GlShaderProgram::~GlShaderProgram() {
    glDeleteProgram(program_);
}

} // namespace qv
