#include "gui/scene/scene_shaders.h"

#include "gui/scene/gl_objects.h"

namespace varmelo::gui::scene {

namespace {

// GLSL 1.20: the 2.1 compatibility context the views ask for. The light position is in eye
// coordinates; the viewer is taken as infinitely far along +z, as GL's default light model.
// Both stages know the lighting: the vertex stage works out where the light comes from at each
// vertex and, given a normal, the colours; for flat faces, whose normal only the fragments can
// see, the fragment stage finishes the colours from the light as interpolated.
const char* const kLightingSource = R"(
uniform vec4 materialAmbient;
uniform vec4 materialDiffuse;
uniform vec4 materialSpecular;
uniform vec4 materialEmission;
uniform float shininess;
uniform vec4 sceneAmbient;
uniform vec3 lightPosition;
uniform vec4 lightAmbient;
uniform vec4 lightDiffuse;
uniform vec4 lightSpecular;
uniform vec3 lightAttenuation;

// The light at `point` (eye coordinates): l towards it, as long as its fade there (1 without
// attenuation); h halfway between it and the viewer, for the highlight.
void lightAt(vec3 point, out vec3 l, out float fade, out vec3 h) {
    vec3 toLight = lightPosition - point;
    float dd = dot(toLight, toLight);
    vec3 unit = toLight * inversesqrt(dd);
    fade = 1.0;
#ifdef ATTENUATED
    fade /= lightAttenuation.x + lightAttenuation.y * sqrt(dd) + lightAttenuation.z * dd;
#endif
    l = fade * unit;
    h = normalize(unit + vec3(0.0, 0.0, 1.0));
}

// What the light adds at a surface facing n. The diffuse part is linear in l, so l interpolated
// across a flat face gives the colours per-vertex lighting gave it.
vec4 lightPart(vec3 n, vec3 l, float fade, vec3 h, vec4 ambient, vec4 diffuse) {
    float nl = max(dot(n, l), 0.0);
    vec4 part = fade * ambient * lightAmbient + nl * diffuse * lightDiffuse;
#ifdef SPECULAR
    if (nl > 0.0) {
        float nh = max(dot(n, h), 0.0);
        part += fade * (shininess > 0.0 ? pow(nh, shininess) : 1.0) * materialSpecular * lightSpecular;
    }
#endif
    return part;
}

// The lit colours of a surface facing n (unit length, or zero), seen from the front and from
// the back.
void shade(vec3 n, vec3 l, float fade, vec3 h, vec4 ambient, vec4 diffuse, out vec4 front, out vec4 back) {
    front = materialEmission + ambient * sceneAmbient;
    back = front;
#ifdef LIT
    front += lightPart(n, l, fade, h, ambient, diffuse);
#ifdef TWO_SIDED
    back += lightPart(-n, l, fade, h, ambient, diffuse);
#endif
#endif
    front = clamp(vec4(front.rgb, diffuse.a), 0.0, 1.0);
    back = clamp(vec4(back.rgb, diffuse.a), 0.0, 1.0);
}
)";

// What the vertex stage hands the fragment stage, declared once for both.
const char* const kVaryingsSource = R"(
#ifdef FLAT_NORMALS
varying vec3 eyePoint;
varying vec3 lightVector;
#ifdef ATTENUATED
varying float lightFade;
#endif
#ifdef SPECULAR
varying vec3 halfVector;
#endif
#ifdef COLOUR_MATERIAL
varying vec4 surfaceColour;
#endif
#else
varying vec4 frontColour;
#ifdef TWO_SIDED
varying vec4 backColour;
#endif
#endif
#ifdef TEXTURED
varying vec2 picturePoint;
#endif
#ifdef TINTED
varying vec4 tintColour;
#endif
#if defined(ENV_MAPPED) && !defined(FLAT_NORMALS)
varying vec3 eyeNormal;
#endif
)";

const char* const kVertexSource = R"(
attribute vec3 position;
#ifndef FLAT_NORMALS
attribute vec3 normal;
#endif
#ifdef COLOUR_MATERIAL
attribute vec4 colour;
#endif
#ifdef TEXTURED
attribute vec2 texCoord;
#endif
#ifdef OUTLINE
attribute vec3 faceNormal;
#endif
#ifdef TINTED
attribute vec4 tint;
#endif

uniform mat4 modelView;
uniform mat4 projection;
uniform mat3 normalMatrix;

void main() {
    vec4 point = modelView * vec4(position, 1.0);
    gl_Position = projection * point;
    vec3 l = vec3(0.0);
    float fade = 1.0;
    vec3 h = vec3(0.0);
#ifdef LIT
    lightAt(point.xyz, l, fade, h);
#endif
#ifdef FLAT_NORMALS
    eyePoint = point.xyz;
    lightVector = l;
#ifdef ATTENUATED
    lightFade = fade;
#endif
#ifdef SPECULAR
    halfVector = h;
#endif
#ifdef COLOUR_MATERIAL
    surfaceColour = colour;
#endif
#else
    vec3 n = normalMatrix * normal;
    float nn = dot(n, n);
    n *= nn > 0.0 ? inversesqrt(nn) : 0.0;
#ifdef COLOUR_MATERIAL
    vec4 ambient = colour;
    vec4 diffuse = colour;
#else
    vec4 ambient = materialAmbient;
    vec4 diffuse = materialDiffuse;
#endif
    vec4 front, back;
    shade(n, l, fade, h, ambient, diffuse, front, back);
    frontColour = front;
#ifdef TWO_SIDED
    backColour = back;
#ifdef OUTLINE
    // A line has no side of its own: it is seen from the side of the face it outlines.
    if (dot(normalMatrix * faceNormal, point.xyz) > 0.0) frontColour = backColour;
#endif
#endif
#endif
#ifdef TEXTURED
    picturePoint = texCoord;
#endif
#ifdef TINTED
    tintColour = tint;
#endif
#if defined(ENV_MAPPED) && !defined(FLAT_NORMALS)
    eyeNormal = normalMatrix * normal;
#endif
}
)";

const char* const kFragmentSource = R"(
#ifdef TEXTURED
uniform sampler2D picture;
#endif
#ifdef ENV_MAPPED
uniform sampler2D reflection;
uniform float envCoefficient;
#endif

void main() {
#ifdef FLAT_NORMALS
    // The face's own normal from how its points move across the screen; that runs
    // counter-clockwise on a front face, so a back face turns it round to its winding's normal.
    vec3 n = cross(dFdx(eyePoint), dFdy(eyePoint));
    float nn = dot(n, n);
    n *= nn > 0.0 ? inversesqrt(nn) : 0.0;
    if (!gl_FrontFacing) n = -n;
#ifdef COLOUR_MATERIAL
    vec4 ambient = surfaceColour;
    vec4 diffuse = surfaceColour;
#else
    vec4 ambient = materialAmbient;
    vec4 diffuse = materialDiffuse;
#endif
    // Interpolated only where they vary.
    float fade = 1.0;
    vec3 h = vec3(0.0);
#ifdef ATTENUATED
    fade = lightFade;
#endif
#ifdef SPECULAR
    h = halfVector;
#endif
    vec4 frontColour, backColour;
    shade(n, lightVector, fade, h, ambient, diffuse, frontColour, backColour);
#endif
    vec4 c = frontColour;
#if defined(TWO_SIDED) && !defined(OUTLINE)
    if (!gl_FrontFacing) c = backColour;
#endif
#ifdef TEXTURED
    c *= texture2D(picture, picturePoint);
#endif
#ifdef TINTED
    c *= tintColour;
#endif
#ifdef ENV_MAPPED
#ifdef FLAT_NORMALS
    vec3 facing = n;
#else
    vec3 facing = normalize(eyeNormal);
    if (!gl_FrontFacing) facing = -facing;
#endif
    c.rgb = min(c.rgb + envCoefficient * texture2D(reflection, facing.xy * 0.5 + 0.5).rgb, 1.0);
#endif
#ifdef ALPHA_TEST
    if (c.a <= 0.0) discard;
#endif
    gl_FragColor = c;
}
)";

QByteArray source(const ShaderFeatures& f, const char* body) {
    QByteArray s = "#version 120\n";
    if (f.colourMaterial) s += "#define COLOUR_MATERIAL\n";
    if (f.textured) s += "#define TEXTURED\n";
    if (f.twoSided) s += "#define TWO_SIDED\n";
    if (f.alphaTest) s += "#define ALPHA_TEST\n";
    if (f.outline) s += "#define OUTLINE\n";
    if (f.lit) s += "#define LIT\n";
    if (f.specular) s += "#define SPECULAR\n";
    if (f.attenuated) s += "#define ATTENUATED\n";
    if (f.flatNormals) s += "#define FLAT_NORMALS\n";
    if (f.tinted) s += "#define TINTED\n";
    if (f.envMapped) s += "#define ENV_MAPPED\n";
    return s + kLightingSource + kVaryingsSource + body;
}

}  // namespace

SceneShaders::~SceneShaders() {
    for (const auto& [key, p] : programs_)
        if (p) --liveGlObjectCount;
}

ShaderProgram* SceneShaders::program(const ShaderFeatures& features) {
    auto it = programs_.find(features.key());
    if (it != programs_.end()) return it->second.get();
    auto p = std::make_unique<ShaderProgram>();
    QOpenGLShaderProgram& gl = p->program;
    const bool built = gl.addShaderFromSourceCode(QOpenGLShader::Vertex, source(features, kVertexSource)) &&
                       gl.addShaderFromSourceCode(QOpenGLShader::Fragment, source(features, kFragmentSource));
    const char* const names[kAttributeCount] = {"position", "normal", "colour", "texCoord", "faceNormal", "tint"};
    for (unsigned a = 0; a < kAttributeCount; ++a) gl.bindAttributeLocation(names[a], int(a));
    if (!built || !gl.link()) {
        qWarning("SceneView: the shaders do not build: %s", qPrintable(gl.log()));
        programs_.emplace(features.key(), nullptr);
        return nullptr;
    }
    ShaderUniforms& u = p->uniforms;
    const std::pair<int*, const char*> uniforms[] = {
        {&u.modelView, "modelView"},
        {&u.projection, "projection"},
        {&u.normalMatrix, "normalMatrix"},
        {&u.materialAmbient, "materialAmbient"},
        {&u.materialDiffuse, "materialDiffuse"},
        {&u.materialSpecular, "materialSpecular"},
        {&u.materialEmission, "materialEmission"},
        {&u.shininess, "shininess"},
        {&u.sceneAmbient, "sceneAmbient"},
        {&u.lightPosition, "lightPosition"},
        {&u.lightAmbient, "lightAmbient"},
        {&u.lightDiffuse, "lightDiffuse"},
        {&u.lightSpecular, "lightSpecular"},
        {&u.lightAttenuation, "lightAttenuation"},
        {&u.envCoefficient, "envCoefficient"},
    };
    for (const auto& [location, name] : uniforms) *location = gl.uniformLocation(name);
    if (features.textured || features.envMapped) {
        gl.bind();
        if (features.textured) gl.setUniformValue("picture", 0);
        if (features.envMapped) gl.setUniformValue("reflection", 1);
        gl.release();
    }
    ++liveGlObjectCount;
    return programs_.emplace(features.key(), std::move(p)).first->second.get();
}

}  // namespace varmelo::gui::scene
