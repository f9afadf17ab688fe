#pragma once

#include "core/Matrix4.h"
#include "platform/GlShaderProgram.h"
#include "platform/OverlayFrame.h"
#include "platform/RenderTypes.h"

namespace qv {

// Lighting as the shader applies it: the light's terms are already zero when it is switched off.
struct GlLighting {
    bool enabled = false;
    Material material;
    ColorValue ambientLight; // global ambient + the light's ambient
    ColorValue lightDiffuse; // the light's diffuse
    Vec3 toLight{0, 0, -1};  // unit vector towards the light, view space
};

enum class GlFogMode { None = 0, PerVertex = 1, PerPixel = 2 };

struct GlFog {
    GlFogMode mode = GlFogMode::None;
    float start = 0.0f, end = 1.0f;
    ColorValue color;
};

struct GlPointSize {
    bool scaled = true;
    float size = 1.0f;
    float minimum = 1.0f, maximum = 64.0f; // already within the driver's range
    float a = 1.0f, b = 0.0f, c = 0.0f;
    float viewportHeight = 480.0f;
};

// What the current draw's vertices carry.
struct GlDrawInputs {
    bool pretransformed = false;
    bool diffuseFromVertex = false; // lighting takes the vertex colour as material diffuse
    bool textured = false;
    bool pointSprite = false; // texture coordinates across each point
    bool operator==(const GlDrawInputs&) const = default;
};

// The one shader pair that reproduces the fixed-function pipeline; its uniforms mirror the
// device states. Attribute locations are fixed so the device can describe any vertex format.
class GlFixedFunctionProgram {
  public:
    enum Attribute : GLuint { kPosition = 0, kNormal = 1, kDiffuse = 2, kTexCoord = 3 };

    GlFixedFunctionProgram();

    void use() const { program_.use(); }
    // Matrices go up unchanged: a row-vector matrix stored row-major is the column-vector GL
    // matrix of the same transform.
    void setTransforms(const Matrix4& world, const Matrix4& view, const Matrix4& projection);
    // Normals are transformed by the inverse transpose of world * view, not renormalized.
    void setNormalTransform(const Matrix4& worldView);
    void setLighting(const GlLighting& lighting);
    void setFog(const GlFog& fog);
    void setPointSize(const GlPointSize& points);
    void setOverlayFit(const OverlayFrame::ClipFit& fit);
    void setDrawInputs(const GlDrawInputs& inputs);

  private:
    GlShaderProgram program_;
    GLint world_, view_, projection_, normalMatrix_;
    GLint pretransformed_, diffuseFromVertex_, textured_, pointSprite_;
    GLint lighting_, materialDiffuse_, materialAmbient_, materialEmissive_, ambientLight_, lightDiffuse_,
        toLight_;
    GLint fogMode_, fogStart_, fogEnd_, fogColor_;
    GLint pointScaled_, pointSize_, pointMin_, pointMax_, pointScale_, viewportHeight_;
    GLint overlayFit_;
};

} // namespace qv
