#pragma once

#include "platform/RenderTypes.h"
#include "platform/Texture.h"

#include <epoxy/gl.h>

#include <memory>

namespace qv {

// A 2D texture on the GL device, sampled the fixed-function way: linear filtering of level 0
// only, clamp to a transparent black border unless its edges are set otherwise. Must be destroyed while its
// context is alive.
class GlTexture : public Texture {
  public:
    // Null for an empty image, one whose pixel count does not match its size, or one larger
    // than the driver takes.
    static std::unique_ptr<GlTexture> create(const Image& image);
    ~GlTexture() override;
    GlTexture(const GlTexture&) = delete;
    GlTexture& operator=(const GlTexture&) = delete;

    uint32_t width() const override { return width_; }
    uint32_t height() const override { return height_; }
    GLuint id() const { return id_; }
    // Changes how the texture is read past its edges; leaves texture unit 0 with this texture bound.
    void setEdges(TextureEdges edges);

  private:
    GlTexture(GLuint id, uint32_t width, uint32_t height) : id_(id), width_(width), height_(height) {}

    GLuint id_;
    uint32_t width_, height_;
};

} // namespace qv
