#include "platform/GlFixedFunctionProgram.h"

#include <string>

namespace qv {

namespace {

constexpr const char* kCommon = R"(#version 330 core
uniform int uFogMode; // 0 none, 1 per vertex, 2 per pixel
uniform float uFogStart;
uniform float uFogEnd;

// Linear fog on eye-space depth: 1 keeps the colour, 0 is all fog.
float fogFactor(float depth) {
    float range = uFogEnd - uFogStart;
    if (range == 0.0)
        return depth < uFogEnd ? 1.0 : 0.0;
    return clamp((uFogEnd - depth) / range, 0.0, 1.0);
}
)";

constexpr const char* kVertexBody = R"(
layout(location = 0) in vec4 aPosition;
layout(location = 1) in vec3 aNormal;
layout(location = 2) in vec4 aDiffuse;
layout(location = 3) in vec2 aTexCoord;

uniform mat4 uWorld;
uniform mat4 uView;
uniform mat4 uProjection;
uniform mat3 uNormalMatrix;
uniform bool uPretransformed;
uniform bool uDiffuseFromVertex;
uniform bool uLighting;
uniform vec4 uMaterialDiffuse;
uniform vec3 uMaterialAmbient;
uniform vec3 uMaterialEmissive;
uniform vec3 uAmbientLight;
uniform vec3 uLightDiffuse;
uniform vec3 uToLight;
uniform bool uPointScaled;
uniform float uPointSize;
uniform float uPointMin;
uniform float uPointMax;
uniform vec3 uPointScale;
uniform float uViewportHeight;
uniform vec4 uOverlayFit; // x, y scale and x, y offset of the overlay in clip space

out vec4 vColor;
out vec2 vTexCoord;
out float vVertexFog;
out float vEyeDepth;

vec4 litColor() {
    vec4 diffuse = uDiffuseFromVertex ? aDiffuse : uMaterialDiffuse;
    float lambert = max(dot(uNormalMatrix * aNormal, uToLight), 0.0);
    vec3 rgb = uMaterialEmissive + uMaterialAmbient * uAmbientLight + diffuse.rgb * uLightDiffuse * lambert;
    return clamp(vec4(rgb, diffuse.a), 0.0, 1.0);
}

float pointSize(float distance) {
    float size = uPointSize;
    if (uPointScaled) {
        float falloff = uPointScale.x + uPointScale.y * distance + uPointScale.z * distance * distance;
        size = falloff > 0.0 ? uViewportHeight * uPointSize * sqrt(1.0 / falloff) : uPointMax;
    }
    return clamp(size, uPointMin, uPointMax);
}

void main() {
    vTexCoord = aTexCoord;
    if (uPretransformed) {
        // 640 x 480 overlay space, origin top left, over the whole back buffer, then into its
        // frame (a scale of 1 and an offset of 0 keep it over the whole back buffer).
        float w = aPosition.w > 0.0 ? 1.0 / aPosition.w : 1.0;
        vec2 overlay = vec2(aPosition.x / 320.0 - 1.0, 1.0 - aPosition.y / 240.0);
        vec3 ndc = vec3(overlay * uOverlayFit.xy + uOverlayFit.zw, 2.0 * aPosition.z - 1.0);
        gl_Position = vec4(ndc * w, w);
        gl_PointSize = clamp(uPointSize, uPointMin, uPointMax);
        vColor = aDiffuse;
        vVertexFog = 1.0;
        vEyeDepth = 0.0;
        return;
    }
    vec4 eye = uView * (uWorld * vec4(aPosition.xyz, 1.0));
    vec4 clip = uProjection * eye;
    clip.z = 2.0 * clip.z - clip.w; // depth 0..w becomes GL's -w..w
    gl_Position = clip;
    gl_PointSize = pointSize(length(eye.xyz));
    vColor = uLighting ? litColor() : aDiffuse;
    vEyeDepth = eye.z;
    vVertexFog = uFogMode == 1 ? fogFactor(eye.z) : 1.0;
}
)";

constexpr const char* kFragmentBody = R"(
in vec4 vColor;
in vec2 vTexCoord;
in float vVertexFog;
in float vEyeDepth;

uniform sampler2D uTexture;
uniform bool uTextured;
uniform bool uPointSprite;
uniform vec3 uFogColor;

out vec4 fragColor;

void main() {
    vec4 colour = vColor;
    if (uTextured)
        colour *= texture(uTexture, uPointSprite ? gl_PointCoord : vTexCoord);
    float fog = uFogMode == 2 ? fogFactor(vEyeDepth) : vVertexFog;
    fragColor = vec4(mix(uFogColor, colour.rgb, fog), colour.a);
}
)";

std::string withCommon(const char* body) {
    return std::string(kCommon) + body;
}

void uploadRgb(GLint location, const ColorValue& c) {
    glUniform3f(location, c.r, c.g, c.b);
}

} // namespace

GlFixedFunctionProgram::GlFixedFunctionProgram()
    : program_(withCommon(kVertexBody).c_str(), withCommon(kFragmentBody).c_str()) {
    world_ = program_.uniform("uWorld");
    view_ = program_.uniform("uView");
    projection_ = program_.uniform("uProjection");
    normalMatrix_ = program_.uniform("uNormalMatrix");
    pretransformed_ = program_.uniform("uPretransformed");
    diffuseFromVertex_ = program_.uniform("uDiffuseFromVertex");
    textured_ = program_.uniform("uTextured");
    pointSprite_ = program_.uniform("uPointSprite");
    lighting_ = program_.uniform("uLighting");
    materialDiffuse_ = program_.uniform("uMaterialDiffuse");
    materialAmbient_ = program_.uniform("uMaterialAmbient");
    materialEmissive_ = program_.uniform("uMaterialEmissive");
    ambientLight_ = program_.uniform("uAmbientLight");
    lightDiffuse_ = program_.uniform("uLightDiffuse");
    toLight_ = program_.uniform("uToLight");
    fogMode_ = program_.uniform("uFogMode");
    fogStart_ = program_.uniform("uFogStart");
    fogEnd_ = program_.uniform("uFogEnd");
    fogColor_ = program_.uniform("uFogColor");
    pointScaled_ = program_.uniform("uPointScaled");
    pointSize_ = program_.uniform("uPointSize");
    pointMin_ = program_.uniform("uPointMin");
    pointMax_ = program_.uniform("uPointMax");
    pointScale_ = program_.uniform("uPointScale");
    viewportHeight_ = program_.uniform("uViewportHeight");
    overlayFit_ = program_.uniform("uOverlayFit");
    use();
    glUniform1i(program_.uniform("uTexture"), 0);
}

void GlFixedFunctionProgram::setTransforms(const Matrix4& world, const Matrix4& view,
                                           const Matrix4& projection) {
    glUniformMatrix4fv(world_, 1, GL_FALSE, world.data());
    glUniformMatrix4fv(view_, 1, GL_FALSE, view.data());
    glUniformMatrix4fv(projection_, 1, GL_FALSE, projection.data());
}

void GlFixedFunctionProgram::setNormalTransform(const Matrix4& worldView) {
    // A singular transform (a model scaled to nothing) leaves nothing to light.
    Matrix4 inverse = Matrix4::zero();
    invert(worldView, inverse);
    Matrix4 normal = transpose(inverse);
    const GLfloat rows[9] = {normal.m[0][0], normal.m[0][1], normal.m[0][2], normal.m[1][0], normal.m[1][1],
                             normal.m[1][2], normal.m[2][0], normal.m[2][1], normal.m[2][2]};
    glUniformMatrix3fv(normalMatrix_, 1, GL_FALSE, rows);
}

void GlFixedFunctionProgram::setLighting(const GlLighting& lighting) {
    const Material& m = lighting.material;
    glUniform1i(lighting_, lighting.enabled ? 1 : 0);
    glUniform4f(materialDiffuse_, m.diffuse.r, m.diffuse.g, m.diffuse.b, m.diffuse.a);
    uploadRgb(materialAmbient_, m.ambient);
    uploadRgb(materialEmissive_, m.emissive);
    uploadRgb(ambientLight_, lighting.ambientLight);
    uploadRgb(lightDiffuse_, lighting.lightDiffuse);
    glUniform3f(toLight_, lighting.toLight.x, lighting.toLight.y, lighting.toLight.z);
}

void GlFixedFunctionProgram::setFog(const GlFog& fog) {
    glUniform1i(fogMode_, static_cast<GLint>(fog.mode));
    glUniform1f(fogStart_, fog.start);
    glUniform1f(fogEnd_, fog.end);
    uploadRgb(fogColor_, fog.color);
}

void GlFixedFunctionProgram::setPointSize(const GlPointSize& points) {
    glUniform1i(pointScaled_, points.scaled ? 1 : 0);
    glUniform1f(pointSize_, points.size);
    glUniform1f(pointMin_, points.minimum);
    glUniform1f(pointMax_, points.maximum);
    glUniform3f(pointScale_, points.a, points.b, points.c);
    glUniform1f(viewportHeight_, points.viewportHeight);
}

void GlFixedFunctionProgram::setOverlayFit(const OverlayFrame::ClipFit& fit) {
    glUniform4f(overlayFit_, fit.scaleX, fit.scaleY, fit.offsetX, fit.offsetY);
}

void GlFixedFunctionProgram::setDrawInputs(const GlDrawInputs& inputs) {
    glUniform1i(pretransformed_, inputs.pretransformed ? 1 : 0);
    glUniform1i(diffuseFromVertex_, inputs.diffuseFromVertex ? 1 : 0);
    glUniform1i(textured_, inputs.textured ? 1 : 0);
    glUniform1i(pointSprite_, inputs.pointSprite ? 1 : 0);
}

} // namespace qv
