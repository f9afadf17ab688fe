#include "platform/GlTexture.h"

namespace qv {

namespace {

bool fitsDevice(const Image& image) {
    if (image.width == 0 || image.height == 0)
        return false;
    if (image.pixels.size() != static_cast<size_t>(image.width) * image.height)
        return false;
    GLint maxSize = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
    return image.width <= static_cast<uint32_t>(maxSize) && image.height <= static_cast<uint32_t>(maxSize);
}

void setSampling() {
    const GLfloat border[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_BASE_LEVEL, 0);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_BORDER);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_BORDER);
    glTexParameterfv(GL_TEXTURE_2D, GL_TEXTURE_BORDER_COLOR, border);
}

} // namespace

std::unique_ptr<GlTexture> GlTexture::create(const Image& image) {
    if (!fitsDevice(image))
        return nullptr;
    GLuint id = 0;
    glGenTextures(1, &id);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, id);
    setSampling();
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    // Rows go up top row first, so texture coordinate v = 0 is the picture's top row. The
    // packed-word type reads 0xAARRGGBB words whatever the byte order.
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, static_cast<GLsizei>(image.width),
                 static_cast<GLsizei>(image.height), 0, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV,
                 image.pixels.data());
    return std::unique_ptr<GlTexture>(new GlTexture(id, image.width, image.height));
}

void GlTexture::setEdges(TextureEdges edges) {
    const GLint wrap = edges == TextureEdges::Repeat  ? GL_REPEAT
                       : edges == TextureEdges::Clamp ? GL_CLAMP_TO_EDGE
                                                      : GL_CLAMP_TO_BORDER;
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, id_);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, wrap);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, wrap);
}

GlTexture::~GlTexture() {
    glDeleteTextures(1, &id_);
}

} // namespace qv
